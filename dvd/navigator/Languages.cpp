#include "Languages.h"

namespace navigator {

namespace {

struct Pair {
    char code[3];
    uint32_t lcid;
};

// The languages DVD-Video discs are commonly authored in, with their usual locale.
constexpr Pair kPairs[] = {
    {"en", 0x0409}, {"fr", 0x040c}, {"de", 0x0407}, {"es", 0x040a}, {"it", 0x0410}, {"ja", 0x0411},
    {"nl", 0x0413}, {"sv", 0x041d}, {"da", 0x0406}, {"fi", 0x040b}, {"no", 0x0414}, {"pt", 0x0816},
    {"ru", 0x0419}, {"pl", 0x0415}, {"cs", 0x0405}, {"hu", 0x040e}, {"el", 0x0408}, {"tr", 0x041f},
    {"zh", 0x0804}, {"ko", 0x0412}, {"he", 0x040d}, {"ar", 0x0401}, {"hi", 0x0439}, {"th", 0x041e},
    {"is", 0x040f}, {"ro", 0x0418}, {"hr", 0x041a}, {"sk", 0x041b}, {"sl", 0x0424}, {"bg", 0x0402},
    {"uk", 0x0422}, {"ca", 0x0403}, {"et", 0x0425}, {"lv", 0x0426}, {"lt", 0x0427}, {"id", 0x0421},
};

uint16_t Code(const Pair& p) {
    return static_cast<uint16_t>(static_cast<unsigned char>(p.code[0]) << 8 |
                                 static_cast<unsigned char>(p.code[1]));
}

}  // namespace

uint32_t LcidFromLanguageCode(uint16_t code) {
    // Some discs write the letters in upper case.
    uint16_t lower = code;
    if ((lower >> 8) >= 'A' && (lower >> 8) <= 'Z') lower = static_cast<uint16_t>(lower + (0x20 << 8));
    if ((lower & 0xff) >= 'A' && (lower & 0xff) <= 'Z') lower = static_cast<uint16_t>(lower + 0x20);
    for (const auto& p : kPairs)
        if (Code(p) == lower) return p.lcid;
    return 0;
}

uint16_t LanguageCodeFromLcid(uint32_t lcid) {
    uint32_t primary = lcid & 0x3ff;
    for (const auto& p : kPairs)
        if ((p.lcid & 0x3ff) == primary) return Code(p);
    return 0;
}

}  // namespace navigator
