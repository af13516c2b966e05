// The navigator double's IDvdState: the product navigator's state object under the double's own
// class identifier, so that OleSaveToStream / OleLoadFromStream handle it as they would the
// platform's, with its calls in the record.
#include "DvdStateObject.h"

#include "Navigator.h"
#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

const navigator::StateClass kStateClass{kDvdStateClsid, RecordCall};

}  // namespace

void RecordCall(const char* call) {
    Record("%s", call);
}

HRESULT CreateDvdState(const Location& loc, unsigned long long discId, unsigned parentalLevel,
                       IDvdState** out) {
    navigator::SavedState s;
    s.discId = discId;
    s.domain = static_cast<uint32_t>(loc.domain);
    s.title = loc.title;
    s.chapter = loc.chapter;
    s.timeMs = static_cast<uint32_t>(loc.posMs);
    s.audio = loc.audio;
    s.subpicture = loc.subpicture;
    s.subpictureOn = loc.subpictureOn;
    s.angle = loc.angle;
    s.menuButton = loc.menuButton;
    s.parentalLevel = parentalLevel;
    return navigator::CreateDvdState(s, kStateClass, out);
}

HRESULT CreateDvdStateObject(REFIID iid, void** out) {
    return navigator::CreateEmptyDvdState(kStateClass, iid, out);
}

bool ReadDvdState(IDvdState* state, Location& loc, unsigned long long& discId) {
    navigator::SavedState s;
    if (!navigator::ReadDvdState(state, kDvdStateClsid, s)) return false;
    discId = s.discId;
    loc.domain = static_cast<DVD_DOMAIN>(s.domain);
    loc.title = s.title;
    loc.chapter = s.chapter;
    loc.posMs = s.timeMs;
    loc.audio = s.audio;
    loc.subpicture = s.subpicture;
    loc.subpictureOn = s.subpictureOn != 0;
    loc.angle = s.angle;
    loc.menuButton = s.menuButton;
    return true;
}

}  // namespace dvdnav
