// The arithmetic and decisions of the skinned controls, kept apart from their windows so that
// tests can call them with plain values.
#pragma once

#include <string>

namespace skin {

// ---- Buttons -----------------------------------------------------------------------------
enum class ButtonPicture { Normal, Hover, Pressed, Disabled };

struct ButtonLook {
    bool twoState = false;  // draws only its check state
    bool checked = false;
    bool hovering = false;
    bool selected = false;  // the platform draws it pushed
    bool disabled = false;
};
ButtonPicture ChooseButtonPicture(const ButtonLook& look);

// ---- Text fields -------------------------------------------------------------------------
// How many characters fit: twice the width over the width of one "W".
int MarqueeCapacity(int clientWidth, int letterWidth);
bool MarqueeScrolls(const std::string& text, int capacity);
// The offset after one timer tick: it runs 0..length and then starts again.
size_t NextMarqueeOffset(size_t offset, size_t length);
// The text without its first `offset` characters; a text longer than the capacity is followed by
// three blanks and itself again until at least `capacity` characters are shown.
std::string MarqueeShownText(const std::string& text, size_t offset, int capacity);

// ---- Progress bars -----------------------------------------------------------------------
// 100 * at / extent, 0 for an empty extent.
int PercentAt(int at, int extent);
int ClampPercent(int value);

// ---- Sliders -----------------------------------------------------------------------------
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The thumb picture centred on the track bar's own thumb.
PixelRect SliderThumbRect(const PixelRect& ownThumb, int thumbWidth, int thumbHeight, bool vertical);
// A press on the bare track jumps there: x of the window's width over the slider's range (600 for
// the playback position, 100 for any other slider).
int SliderRangeOf(const std::string& name);
int SliderJumpPosition(int x, int windowWidth, int range);

}  // namespace skin
