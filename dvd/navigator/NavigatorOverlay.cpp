// Subpictures and menu highlights on the reading thread: the units of the stream that shows are
// gathered and decoded, and each picture gets the unit due at its time drawn over it, with the
// selected button in its highlight colours. The last picture is kept as decoded, so that a still
// menu can be drawn again when its selection changes.
#include <cstring>

#include "Navigator.h"

namespace navigator {

namespace {

// Units decoded ahead of the pictures that show them; more means a stream without pictures.
constexpr size_t kMaxUnits = 16;
// How long the activated button's colours show before its command runs.
constexpr DWORD kActivatedMs = 150;
constexpr DWORD kActivatedWaitMs = 500;

}  // namespace

void Navigator::OnSubpicturePacket(const EsPacket& p) {
    if (mScanning || mSpuPhysical < 0 || p.stream != static_cast<unsigned>(mSpuPhysical & 0x1f)) return;
    if (!mSpuAssembler.Add(p.data, p.size, p.hasPts, p.pts)) return;
    TimedSpu unit;
    const std::vector<uint8_t>& bytes = mSpuAssembler.Unit();
    if (!DecodeSpu(bytes.data(), bytes.size(), unit.picture) || !unit.picture.hasStart) return;
    int64_t at = mSpuAssembler.UnitPts() + mPtsOffset;
    unit.start = at + unit.picture.startDelay;
    unit.stop = unit.picture.stopDelay >= 0 ? at + unit.picture.stopDelay : -1;
    unit.serial = ++mSpuSerial;
    if (mSpuSerial == 0) unit.serial = mSpuSerial = 1;
    // Kept by start; a unit that starts no later than one already there replaces it.
    while (!mSpus.empty() && mSpus.back().start >= unit.start)
        mSpus.pop_back();
    if (mSpus.size() >= kMaxUnits) mSpus.pop_front();
    mSpus.push_back(std::move(unit));
}

void Navigator::OnSubpictureStream(int physical) {
    bool sameStream = physical >= 0 && mSpuPhysical >= 0 && (physical & 0x1f) == (mSpuPhysical & 0x1f);
    mSpuPhysical = physical;
    // Switching the display on or off keeps the units: forced ones show either way.
    if (!sameStream) DropSubpictures();
}

void Navigator::OnPalette(const uint32_t (&clut)[16]) {
    if (std::memcmp(mClut, clut, sizeof mClut) == 0) return;
    std::memcpy(mClut, clut, sizeof mClut);
    if (++mPaletteSerial == 0) mPaletteSerial = 1;
}

void Navigator::DropSubpictures() {
    mSpuAssembler.Reset();
    mSpus.clear();
}

Navigator::OverlayKey Navigator::OverlayAt(int64_t pts, int mode, const SpuPicture** spu,
                                           SpuHighlight& highlight) {
    OverlayKey key;
    *spu = nullptr;
    highlight = SpuHighlight{};
    // Each unit shows from its start until the next one starts or its own stop.
    while (mSpus.size() >= 2 && mSpus[1].start <= pts)
        mSpus.pop_front();
    if (!mSpus.empty()) {
        const TimedSpu& unit = mSpus.front();
        bool due = unit.start <= pts && (unit.stop < 0 || pts < unit.stop);
        bool shown = mSpuPhysical >= 0 && (!(mSpuPhysical & 0x80) || unit.picture.forced);
        if (due && shown) {
            *spu = &unit.picture;
            key.spu = unit.serial;
        }
    }
    if (!*spu) return key;
    key.palette = mPaletteSerial;
    int current = 0;
    VmButton button;
    uint32_t words[3][2];
    if (mVm.Buttons(current) > 0 && current > 0 && mVm.Button(current, button) && button.colourGroup >= 1 &&
        button.colourGroup <= 3 && mVm.ButtonColours(words)) {
        highlight = ButtonHighlight(button.left, button.top, button.right, button.bottom,
                                    words[button.colourGroup - 1][mode ? 1 : 0]);
        key.button = current;
        key.mode = mode;
    }
    return key;
}

Navigator::OverlayKey Navigator::DrawOverlay(uint8_t* rgb, int64_t pts, int mode) {
    const SpuPicture* spu = nullptr;
    SpuHighlight highlight;
    OverlayKey key = OverlayAt(pts, mode, &spu, highlight);
    if (spu)
        DrawSpu(*spu, mClut, highlight.on ? &highlight : nullptr, rgb, static_cast<int>(mWidth),
                static_cast<int>(mHeight), static_cast<int>(mWidth) * 4);
    return key;
}

void Navigator::KeepClean(const uint8_t* rgb, int64_t pts, const DiscPosition& position) {
    size_t bytes = static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight) * 4;
    mClean.resize(bytes);
    std::memcpy(mClean.data(), rgb, bytes);
    mHaveClean = true;
    mCleanPts = pts;
    mCleanPosition = position;
}

void Navigator::Redraw(bool always, int mode) {
    if (!mHaveClean || mScanning) return;
    const SpuPicture* spu = nullptr;
    SpuHighlight highlight;
    OverlayKey key = OverlayAt(mCleanPts, mode, &spu, highlight);
    if (!always && key == mShownOverlay) return;
    Delivery d;
    d.bytes = mVideo.TakeBuffer();
    d.bytes.assign(mClean.begin(), mClean.end());
    if (spu)
        DrawSpu(*spu, mClut, highlight.on ? &highlight : nullptr, d.bytes.data(), static_cast<int>(mWidth),
                static_cast<int>(mHeight), static_cast<int>(mWidth) * 4);
    // Untimed: the renderer shows it as it comes, for as long as nothing follows.
    d.positioned = true;
    d.position = mCleanPosition;
    mShownOverlay = key;
    mPendingVideo.push_back(std::move(d));
}

void Navigator::ShowActivated() {
    int current = 0;
    if (!mHaveClean || State() != State_Running || mVm.Buttons(current) == 0 || current == 0) return;
    // What is queued still shows the selection: the activation comes first.
    DropPending();
    mVideo.Flush();
    Redraw(true, 1);
    if (!PushPending()) return;
    if (!mVideo.Idle()) ::WaitForSingleObject(mVideo.IdleEvent(), kActivatedWaitMs);
    ::Sleep(kActivatedMs);
}

}  // namespace navigator
