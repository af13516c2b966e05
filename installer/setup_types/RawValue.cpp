#include "RawValue.h"

#include <string>

namespace setup_types {

namespace {

// Value names here are plain ASCII ("Backup type", "Content Type").
std::wstring Wide(const char* name) {
    std::wstring wide;
    for (const char* c = name ? name : ""; *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

}  // namespace

RawValue ReadRaw(HKEY key, const char* name) {
    RawValue value;
    if (!key) return value;
    std::wstring wide = Wide(name);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return value;
    std::vector<BYTE> data(size);
    DWORD got = size;
    if (::RegQueryValueExW(key, wide.c_str(), nullptr, &type, size ? data.data() : nullptr, &got) !=
            ERROR_SUCCESS ||
        got > size) {
        return value;
    }
    data.resize(got);
    value.present = true;
    value.type = type;
    value.data = std::move(data);
    return value;
}

bool WriteRaw(HKEY key, const char* name, const RawValue& value) {
    if (!key) return false;
    std::wstring wide = Wide(name);
    if (!value.present) {
        LONG rc = ::RegDeleteValueW(key, wide.c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    // A value of no bytes (an empty default stored without its terminator) still needs a buffer.
    static const BYTE kNothing = 0;
    return ::RegSetValueExW(key, wide.c_str(), 0, value.type,
                            value.data.empty() ? &kNothing : value.data.data(),
                            static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool CopyRaw(HKEY from, HKEY to, const char* name) {
    return WriteRaw(to, name, ReadRaw(from, name));
}

bool IsEmptyKey(HKEY key) {
    DWORD subkeys = 0, values = 0;
    return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

}  // namespace setup_types
