// Test support: puts the registrar probe into the system directory under the decoders' names,
// reads back what the registrar did with them, and removes everything again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace decodertest {

inline constexpr char kVideoDecoder[] = "Ravonim.dll";
inline constexpr char kSecondaryDecoder[] = "Ravosec.ax";
inline constexpr char kAudioDecoder[] = "Ravolit.dll";

// One call of the registrar, as the probe logged it.
struct RegistrarCall {
    unsigned long long startedAt = 0;  // the registrar process's creation time
    std::string file;
    std::string action;  // "register" or "unregister"
    bool operator==(const RegistrarCall& o) const { return file == o.file && action == o.action; }
};

class DecoderFiles {
public:
    // Copies the probe in as each of the names given (none: no decoder file at all).
    explicit DecoderFiles(const std::vector<std::string>& names);
    ~DecoderFiles();
    DecoderFiles(const DecoderFiles&) = delete;
    DecoderFiles& operator=(const DecoderFiles&) = delete;

    // The probe's mark: the file is registered.
    static bool Registered(const std::string& name);
    static void MarkRegistered(const std::string& name);
    // The registrar calls logged so far, in the order their processes started.
    std::vector<RegistrarCall> Calls() const;
    // Waits until `count` calls have been logged; false when they did not come in time.
    bool WaitForCalls(size_t count, DWORD timeoutMs = 15000) const;

private:
    std::vector<std::string> mCopied;
    std::string mLogPath;
};

std::string SystemDirectory();

}  // namespace decodertest
