// A bookmark's bytes as IDvdState's IPersistStream::Load meets them, which is whatever a file
// holds: the parser reads only what it is given, accepts exactly what serializing its result
// writes back, and refuses every state cut short. The second half of an input is also made into
// a state whose serialized bytes are damaged at a place the input chooses.
#include <cstring>

#include "FuzzTarget.h"
#include "StateStream.h"

using navigator::ParseState;
using navigator::SavedState;
using navigator::StateParse;

namespace {

uint32_t Word(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void CheckParse(const uint8_t* data, size_t size) {
    SavedState state;
    size_t used = 12345;
    StateParse result = ParseState(data, size, state, &used);
    if (result != StateParse::Ok) {
        FUZZ_CHECK(used == 0);
        return;
    }
    FUZZ_CHECK(used == navigator::kSavedStateBytes && used <= size);
    std::vector<uint8_t> again = navigator::SerializeState(state);
    FUZZ_CHECK(again.size() == used && std::memcmp(again.data(), data, used) == 0);
    for (size_t cut = 0; cut < used; ++cut) {
        SavedState shorter;
        FUZZ_CHECK(ParseState(data, cut, shorter) != StateParse::Ok);
    }
}

}  // namespace

FUZZ_TARGET(FuzzStateStream) {
    CheckParse(data, size);
    CheckParse(nullptr, size);

    constexpr size_t kFields = 8 + 10 * 4 + 2;  // the state's words and where to damage it
    if (size < kFields) return 0;
    const uint8_t* f = data + size - kFields;
    SavedState made;
    made.discId = static_cast<uint64_t>(Word(f)) | static_cast<uint64_t>(Word(f + 4)) << 32;
    uint32_t* fields[] = {&made.domain,     &made.title,        &made.chapter,      &made.timeMs,
                          &made.audio,      &made.subpicture,   &made.subpictureOn, &made.angle,
                          &made.menuButton, &made.parentalLevel};
    for (size_t i = 0; i < 10; ++i)
        *fields[i] = Word(f + 8 + 4 * i);
    std::vector<uint8_t> bytes = navigator::SerializeState(made);
    SavedState back;
    FUZZ_CHECK(ParseState(bytes.data(), bytes.size(), back) == StateParse::Ok);
    FUZZ_CHECK(back.discId == made.discId && back.timeMs == made.timeMs &&
               back.parentalLevel == made.parentalLevel && back.menuButton == made.menuButton);
    size_t at = f[kFields - 2] % bytes.size();
    uint8_t flip = f[kFields - 1] ? f[kFields - 1] : 1;
    bytes[at] ^= flip;
    CheckParse(bytes.data(), bytes.size());
    return 0;
}
