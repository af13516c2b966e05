#include "Registry.h"

#include <cstring>

namespace fw {

bool RegReadString(HKEY key, const char* name, std::string& text, size_t maxBytes, TextTypes types) {
    if (!key || maxBytes == 0) return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    bool typeOk = type == REG_SZ || (types == TextTypes::PlainOrExpand && type == REG_EXPAND_SZ);
    if (!typeOk || size > maxBytes) return false;
    // One byte more than asked for, so a value stored without its terminator still ends in one.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
            ERROR_SUCCESS ||
        got > size) {
        return false;
    }
    size_t length = ::strnlen(buffer.data(), got);
    // Text that fills the whole bound leaves no room for the terminator the caller's buffer needs.
    if (length + 1 > maxBytes) return false;
    text.assign(buffer.data(), length);
    return true;
}

bool RegReadDword(HKEY key, const char* name, DWORD& value) {
    if (!key) return false;
    DWORD type = 0, data = 0, size = sizeof(data);
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data)) {
        return false;
    }
    value = data;
    return true;
}

bool RegWriteString(HKEY key, const char* name, const std::string& text) {
    return key && ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegWriteDword(HKEY key, const char* name, DWORD value) {
    return key && ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof(value)) == ERROR_SUCCESS;
}

bool RegValueExists(HKEY key, const char* name) {
    return key && ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const char* path) {
    return static_cast<bool>(RegOpen(root, path, KEY_QUERY_VALUE));
}

RegKey RegOpen(HKEY root, const char* path, REGSAM access) {
    RegKey key;
    if (::RegOpenKeyExA(root, path, 0, access, key.Put()) != ERROR_SUCCESS) key.Reset();
    return key;
}

RegKey RegCreate(HKEY root, const char* path, REGSAM access, bool* created) {
    RegKey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.Put(),
                          &disposition) != ERROR_SUCCESS) {
        key.Reset();
    }
    if (created) *created = key && disposition == REG_CREATED_NEW_KEY;
    return key;
}

std::vector<std::string> RegSubkeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[256] = {};  // key names are at most 255 characters
        DWORD length = sizeof(name);
        LONG rc = ::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<RegValue> RegValues(HKEY key) {
    std::vector<RegValue> values;
    DWORD maxName = 0, maxData = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                           &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD i = 0;; ++i) {
        std::vector<char> name(maxName + 2, '\0');
        std::vector<BYTE> data(maxData + 1, 0);
        DWORD nameLength = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG rc = ::RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
        if (rc != ERROR_SUCCESS) break;
        data.resize(dataSize);
        values.push_back(RegValue{std::string(name.data(), nameLength), type, std::move(data)});
    }
    return values;
}

bool RegHasSubkeys(HKEY key) {
    DWORD subkeys = 0;
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys > 0;
}

bool RegDeleteLeafKey(HKEY root, const char* path) {
    {
        RegKey key = RegOpen(root, path, KEY_READ);
        if (!key || RegHasSubkeys(key.Get())) return false;
    }
    return ::RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

}  // namespace fw
