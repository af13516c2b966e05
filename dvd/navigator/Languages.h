// Stream and menu languages: the IFO names them by two ISO 639 letters, the navigator's
// interfaces by Windows locale identifiers.
#pragma once

#include <cstdint>

namespace navigator {

// Two letters, the first in the high byte (as the IFO stores them), to a locale identifier;
// 0 for none or a code without one.
uint32_t LcidFromLanguageCode(uint16_t code);
// The reverse, by the locale's primary language; 0 when unknown.
uint16_t LanguageCodeFromLcid(uint32_t lcid);

}  // namespace navigator
