#include "RegistryDump.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "Registry.h"

namespace testsupport {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void Walk(HKEY key, const std::string& path, RegistrySnapshot& out) {
    std::string lines;
    auto values = fw::RegValues(key);
    std::sort(values.begin(), values.end(),
              [](const fw::RegValue& a, const fw::RegValue& b) { return Lower(a.name) < Lower(b.name); });
    for (const fw::RegValue& v : values) {
        char head[64];
        std::snprintf(head, sizeof(head), " type=%lu bytes=", static_cast<unsigned long>(v.type));
        lines += "[" + v.name + "]" + head;
        for (BYTE b : v.data) {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%02x", b);
            lines += hex;
        }
        lines += "\n";
    }
    out[Lower(path)] = lines;
    for (const std::string& name : fw::RegSubkeyNames(key)) {
        fw::RegKey child = fw::RegOpen(key, name.c_str(), KEY_READ);
        std::string childPath = path.empty() ? name : path + "\\" + name;
        if (child)
            Walk(child.Get(), childPath, out);
        else
            out[Lower(childPath)] = "<unreadable>\n";
    }
}

}  // namespace

RegistrySnapshot SnapshotRegistry(HKEY root, const std::string& path) {
    RegistrySnapshot out;
    fw::RegKey key = fw::RegOpen(root, path.empty() ? nullptr : path.c_str(), KEY_READ);
    if (key) Walk(key.Get(), {}, out);
    return out;
}

RegistrySnapshot KeysOf(const RegistrySnapshot& snapshot, std::initializer_list<const char*> firstElements) {
    RegistrySnapshot out;
    for (const auto& [path, lines] : snapshot) {
        std::string first = path.substr(0, path.find('\\'));
        for (const char* name : firstElements)
            if (first == Lower(name)) out[path] = lines;
    }
    return out;
}

}  // namespace testsupport
