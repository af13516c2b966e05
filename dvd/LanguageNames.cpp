#include "LanguageNames.h"

#include <cstring>
#include <iterator>

namespace {

constexpr LanguageName kLanguages[] = {
    {1031, "German"},
    {1033, "English"},
    {1034, "Spanish"},
    {1036, "French"},
    {1041, "Japanese"},
    {1042, "Korean"},
    {1043, "Dutch"},
    {2070, "Portuguese"},
    {1053, "Swedish"},
    {2052, "Chinese"},
    {1025, "Arabic (Saudi Arabia)"},
    {2049, "Arabic (Iraq)"},
    {3073, "Arabic (Egypt)"},
    {4097, "Arabic (Libya)"},
    {5121, "Arabic (Algeria)"},
    {6145, "Arabic (Morocco)"},
    {7169, "Arabic (Tunisia)"},
    {8193, "Arabic (Oman)"},
    {9217, "Arabic (Yemen)"},
    {10241, "Arabic (Syria)"},
    {11265, "Arabic (Jordan)"},
    {12289, "Arabic (Lebanon)"},
    {13313, "Arabic (Kuwait)"},
    {14337, "Arabic (U.A.E.)"},
    {15361, "Arabic (Bahrain)"},
    {16385, "Arabic (Qatar)"},
    {1026, "Bulgarian"},
    {1027, "Catalan"},
    {1028, "Chinese (Taiwan Region)"},
    {3076, "Chinese (Hong Kong SAR, PRC)"},
    {4100, "Chinese (Singapore)"},
    {1029, "Czech"},
    {1030, "Danish"},
    {2055, "German (Swiss)"},
    {3079, "German (Austrian)"},
    {4103, "German (Luxembourg)"},
    {5127, "German (Liechtenstein)"},
    {1032, "Greek"},
    {2057, "English (United Kingdom)"},
    {3081, "English (Australian)"},
    {4105, "English (Canadian)"},
    {5129, "English (New Zealand)"},
    {6153, "English (Ireland)"},
    {7177, "English (South Africa)"},
    {8201, "English (Jamaica)"},
    {9225, "English (Caribbean)"},
    {10249, "English (Belize)"},
    {11273, "English (Trinidad)"},
    {2058, "Spanish (Mexican)"},
    {3082, "Spanish (Modern Sort)"},
    {4106, "Spanish (Guatemala)"},
    {5130, "Spanish (Costa Rica)"},
    {6154, "Spanish (Panama)"},
    {7178, "Spanish (Dominican Republic)"},
    {8202, "Spanish (Venezuela)"},
    {9226, "Spanish (Colombia)"},
    {10250, "Spanish (Peru)"},
    {11274, "Spanish (Argentina)"},
    {12298, "Spanish (Ecuador)"},
    {13322, "Spanish (Chile)"},
    {14346, "Spanish (Uruguay)"},
    {15370, "Spanish (Paraguay)"},
    {16394, "Spanish (Bolivia)"},
    {17418, "Spanish (El Salvador)"},
    {18442, "Spanish (Honduras)"},
    {19466, "Spanish (Nicaragua)"},
    {20490, "Spanish (Puerto Rico)"},
    {1035, "Finnish"},
    {2060, "French (Belgian)"},
    {3084, "French (Canadian)"},
    {4108, "French (Swiss)"},
    {5132, "French (Luxembourg)"},
    {1037, "Hebrew"},
    {1038, "Hungarian"},
    {1039, "Icelandic"},
    {1040, "Italian (Standard)"},
    {2064, "Italian (Swiss)"},
    {2066, "Korean (Johab)"},
    {2067, "Dutch (Belgian)"},
    {1044, "Norwegian (Bokmal)"},
    {2068, "Norwegian (Nynorsk)"},
    {1045, "Polish"},
    {1046, "Portuguese (Brazilian)"},
    {1048, "Romanian"},
    {1049, "Russian"},
    {1050, "Croatian"},
    {2074, "Serbian (Latin)"},
    {3098, "Serbian (Cyrillic)"},
    {1051, "Slovak"},
    {1052, "Albanian"},
    {2077, "Swedish (Finland)"},
    {1054, "Thai"},
    {1055, "Turkish"},
    {1057, "Indonesian"},
    {1058, "Ukrainian"},
    {1059, "Belarusian"},
    {1060, "Slovenian"},
    {1061, "Estonian"},
    {1062, "Latvian"},
    {1063, "Lithuanian"},
    {1065, "Farsi"},
    {1066, "Vietnamese"},
    {1069, "Basque"},
    {1078, "Afrikaans"},
    {1080, "Faeroese"},
};

constexpr char kUnknownLanguage[] = "Unknown";

}  // namespace

const LanguageName* LanguageNameTable(size_t& count) {
    count = std::size(kLanguages);
    return kLanguages;
}

bool LookupLanguageName(uint32_t lcid, char* buffer, size_t size) {
    if (!buffer) return false;
    for (const LanguageName& entry : kLanguages) {
        if (entry.lcid != lcid) continue;
        size_t length = std::strlen(entry.name);
        if (length < size) {
            std::memcpy(buffer, entry.name, length + 1);
            return true;
        }
    }
    if (sizeof(kUnknownLanguage) - 1 < size) std::memcpy(buffer, kUnknownLanguage, sizeof(kUnknownLanguage));
    return false;
}
