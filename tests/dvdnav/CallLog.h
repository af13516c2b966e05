// The double's call record (one line per call, flushed at once) and the folder it shares with
// the test fixture.
#pragma once

#include <windows.h>

#include <string>

namespace dvdnav {

// The folder of script.txt, calls.log and inject.txt, as the fixture named it.
std::string SharedDir();
// Appends one line to calls.log.
void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Utf8(const WCHAR* text);
std::wstring Wide(const std::string& utf8);
std::string ReadText(const std::string& path);

}  // namespace dvdnav
