#include "ControlLogic.h"

#include <algorithm>

namespace skin {

ButtonPicture ChooseButtonPicture(const ButtonLook& look) {
    if (look.twoState) return look.checked ? ButtonPicture::Pressed : ButtonPicture::Normal;
    if (look.checked && !look.hovering) return ButtonPicture::Pressed;
    if (look.selected) return ButtonPicture::Pressed;
    if (look.hovering) return ButtonPicture::Hover;
    if (look.disabled) return ButtonPicture::Disabled;
    return ButtonPicture::Normal;
}

int MarqueeCapacity(int clientWidth, int letterWidth) {
    if (letterWidth <= 0) return 0;
    return std::max(0, 2 * clientWidth) / letterWidth;
}

bool MarqueeScrolls(const std::string& text, int capacity) {
    return static_cast<long long>(text.size()) > capacity;
}

size_t NextMarqueeOffset(size_t offset, size_t length) {
    ++offset;
    return offset > length ? 0 : offset;
}

std::string MarqueeShownText(const std::string& text, size_t offset, int capacity) {
    std::string shown = offset < text.size() ? text.substr(offset) : std::string();
    if (!MarqueeScrolls(text, capacity)) return shown;
    while (static_cast<long long>(shown.size()) < capacity) {
        shown += "   ";
        shown += text;
    }
    return shown;
}

int PercentAt(int at, int extent) {
    if (extent <= 0) return 0;
    return static_cast<int>(100LL * at / extent);
}

int ClampPercent(int value) {
    return std::clamp(value, 0, 100);
}

PixelRect SliderThumbRect(const PixelRect& own, int thumbWidth, int thumbHeight, bool vertical) {
    PixelRect r;
    if (vertical) {
        r.top = std::max(0, own.top + (own.bottom - own.top) / 2 - thumbHeight / 2);
        r.bottom = r.top + thumbHeight;
        r.left = 0;
        r.right = thumbWidth;
    } else {
        r.left = own.left + (own.right - own.left) / 2 - thumbWidth / 2;
        r.right = r.left + thumbWidth;
        r.top = 0;
        r.bottom = thumbHeight;
    }
    return r;
}

int SliderRangeOf(const std::string& name) {
    return name == "IDC_SLIDER1_PLAYBACK_POSITION" ? 600 : 100;
}

int SliderJumpPosition(int x, int windowWidth, int range) {
    if (windowWidth <= 0) return 0;
    return static_cast<int>(static_cast<long long>(x) * range / windowWidth);
}

}  // namespace skin
