// The numbered entries of a skin section, read through the INI reader. Apart from the field
// parsing in SkinFormat.cpp, which needs no platform at all.
#include "IniFile.h"
#include "SkinFormat.h"

namespace skin {

std::vector<std::string> NumberedEntries(const IniFile& ini, const char* section) {
    std::vector<std::string> names;
    ini.GetKeyNames(section, names);
    std::vector<std::string> values;
    for (size_t number = 1; number <= names.size(); ++number) {
        std::string value = ini.GetString(section, std::to_string(number).c_str(), "");
        if (!value.empty()) values.push_back(std::move(value));
    }
    return values;
}

}  // namespace skin
