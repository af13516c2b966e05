// The skin description: field extraction from one entry, the entries of each kind, the numbered
// entries of a section and the table that turns a control's name into a command. Plain values
// only, so that tests call these without any window.
#pragma once

#include <string>
#include <vector>

class IniFile;

namespace skin {

// Fields are cut out of a 260-character work buffer; longer entries are refused whole.
inline constexpr size_t kMaxEntryChars = 259;
// A font description holds a face name of at most this many characters.
inline constexpr size_t kMaxFaceChars = 31;

// Left, top, right, bottom in window client pixels.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The remaining text of one entry, handed out a field at a time.
class FieldReader {
public:
    explicit FieldReader(std::string entry);
    // The text before the next comma, or the whole remainder once no comma is left (so missing
    // fields repeat the last one).
    std::string Next();
    int NextNumber();
    // Four fields X, Y, W, H.
    SkinRect NextRect();
    // The field's first character compared with `letter`.
    bool NextFlag(char letter);

private:
    std::string mRest;
};

// Leading-digits rule with an optional sign; no digits give 0. Saturates instead of overflowing.
int ParseNumber(const std::string& field);
// X, Y, W, H kept within the platform's 16-bit coordinate space; negative sizes become 0.
SkinRect MakeRect(int x, int y, int w, int h);
// Blanks (spaces and tabs) removed at both ends.
std::string TrimBlanks(const std::string& text);

struct ButtonEntry {
    std::string name;
    SkinRect rect;
    std::string tip;
    bool twoState = false;
};
struct SliderEntry {
    std::string name;
    std::string thumb;
    std::string pressedThumb;
    SkinRect rect;
    bool horizontal = false;
    int position = 0;
};
struct TextEntry {
    std::string name;
    std::string face;  // at most kMaxFaceChars
    bool bold = false;
    bool italic = false;
    int size = 0;
    unsigned colour = 0;  // red + 256 * green + 65536 * blue
    SkinRect rect;
    std::string text;
};
struct ProgressEntry {
    std::string name;
    std::string tip;
    SkinRect rect;
    bool vertical = false;
};

// Each answers false for an empty entry or one of kMaxEntryChars + 1 characters or more.
bool ParseButtonEntry(const std::string& value, ButtonEntry& out);
bool ParseSliderEntry(const std::string& value, SliderEntry& out);
bool ParseTextEntry(const std::string& value, TextEntry& out);
bool ParseProgressEntry(const std::string& value, ProgressEntry& out);

// The values of keys "1", "2", ... up to the number of keys the section has, in that order;
// empty values are left out.
std::vector<std::string> NumberedEntries(const IniFile& ini, const char* section);

// The command a control's name stands for (exact, case-sensitive); 0 for an unknown name.
int CommandOfControl(const std::string& name);

}  // namespace skin
