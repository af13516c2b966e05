// Skin entries: every kind of entry parsed from the same hostile text.
#include <string>

#include "FuzzTarget.h"
#include "SkinFormat.h"

namespace {

void CheckRect(const skin::SkinRect& r) {
    FUZZ_CHECK(r.left >= -32768 && r.left <= 32767 && r.top >= -32768 && r.top <= 32767);
    FUZZ_CHECK(r.Width() >= 0 && r.Height() >= 0);
    FUZZ_CHECK(r.Width() <= 32767 && r.Height() <= 32767);
}

void CheckField(const std::string& field) {
    FUZZ_CHECK(field.size() <= skin::kMaxEntryChars);
}

}  // namespace

FUZZ_TARGET(FuzzSkinEntry) {
    std::string value(reinterpret_cast<const char*>(data), size);
    skin::ButtonEntry button;
    if (skin::ParseButtonEntry(value, button)) {
        CheckField(button.name);
        CheckField(button.tip);
        CheckRect(button.rect);
    }
    skin::SliderEntry slider;
    if (skin::ParseSliderEntry(value, slider)) {
        CheckField(slider.name);
        CheckField(slider.thumb);
        CheckField(slider.pressedThumb);
        CheckRect(slider.rect);
    }
    skin::TextEntry text;
    if (skin::ParseTextEntry(value, text)) {
        FUZZ_CHECK(text.face.size() <= skin::kMaxFaceChars);
        CheckField(text.text);
        CheckRect(text.rect);
    }
    skin::ProgressEntry progress;
    if (skin::ParseProgressEntry(value, progress)) {
        CheckField(progress.name);
        CheckRect(progress.rect);
    }
    // The reader itself never runs out: more fields than the text holds repeat its last one.
    skin::FieldReader fields(value);
    for (int i = 0; i < 16; ++i)
        CheckField(fields.Next().substr(0, skin::kMaxEntryChars));
    (void)skin::ParseNumber(value);
    (void)skin::CommandOfControl(value);
    return 0;
}
