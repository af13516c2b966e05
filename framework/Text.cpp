#include "Text.h"

#include <cctype>

namespace fw {

std::string ToLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    return ToLower(text).find(ToLower(part)) != std::string::npos;
}

std::string BaseName(std::string_view path) {
    size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string_view Extension(std::string_view path) {
    size_t start = path.find_last_of("\\/");
    start = start == std::string_view::npos ? 0 : start + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start) return {};
    return path.substr(dot);
}

bool IsIfoPath(std::string_view path) {
    return ContainsNoCase(path, ".ifo");
}

}  // namespace fw
