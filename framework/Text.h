// Small text rules that several folders apply to paths and names: ASCII lower-casing, case-blind
// search, a path's extension and base name. Plain values in, plain values out.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// ASCII letters lowered; other bytes (the ANSI code page's accented letters too) stay.
std::string ToLower(std::string_view text);
// True when part occurs in text, letters compared without case.
bool ContainsNoCase(std::string_view text, std::string_view part);
// The text after the last "\" or "/", or the whole path.
std::string BaseName(std::string_view path);
// The extension of the path's last name with its dot (".avi"), or empty when it has none.
std::string_view Extension(std::string_view path);
// A path that names a DVD-Video ".ifo" file anywhere in it, in any letter case.
bool IsIfoPath(std::string_view path);

}  // namespace fw
