// The persisted form of a navigator bookmark (what IPersistStream::Save writes after the class
// identifier): a tag, a version, the length of the fields, the fields as little-endian words,
// and a check sum over all of it. Parsing takes untrusted bytes: a bookmark file can hold
// anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace navigator {

struct SavedState {
    uint64_t discId = 0;
    uint32_t domain = 0;  // DVD_DOMAIN
    uint32_t title = 0, chapter = 0;
    uint32_t timeMs = 0;  // within the title
    uint32_t audio = 0, subpicture = 0, subpictureOn = 1, angle = 1;
    uint32_t menuButton = 1;
    uint32_t parentalLevel = 0xffffffff;  // none
};

enum class StateParse { Ok, Corrupt, WrongVersion };

inline constexpr size_t kSavedStateBytes = 4 + 4 + 4 + 8 + 10 * 4 + 4;

std::vector<uint8_t> SerializeState(const SavedState& state);
// Reads one state from the start of `data`; `used` receives the bytes it took.
StateParse ParseState(const uint8_t* data, size_t size, SavedState& state, size_t* used = nullptr);

}  // namespace navigator
