#include "SkinFormat.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

namespace skin {

namespace {

constexpr char kBlanks[] = " \t";
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;
// Font heights beyond this only make the font mapper render enormous glyphs.
constexpr int kMaxFontHeight = 500;

bool Usable(const std::string& value) {
    return !value.empty() && value.size() <= kMaxEntryChars;
}

}  // namespace

std::string TrimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

int ParseNumber(const std::string& field) {
    size_t at = field.find_first_not_of(kBlanks);
    if (at == std::string::npos) return 0;
    bool negative = false;
    if (field[at] == '+' || field[at] == '-') {
        negative = field[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        value = value * 10 + (field[at] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;  // enough to saturate either way
            break;
        }
    }
    if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

SkinRect MakeRect(int x, int y, int w, int h) {
    x = std::clamp(x, kMinCoordinate, kMaxCoordinate);
    y = std::clamp(y, kMinCoordinate, kMaxCoordinate);
    w = std::clamp(w, 0, kMaxCoordinate);
    h = std::clamp(h, 0, kMaxCoordinate);
    return SkinRect{x, y, x + w, y + h};
}

FieldReader::FieldReader(std::string entry) : mRest(std::move(entry)) {}

std::string FieldReader::Next() {
    size_t comma = mRest.find(',');
    std::string field = mRest.substr(0, comma);
    if (comma != std::string::npos) mRest.erase(0, comma + 1);
    mRest = TrimBlanks(mRest);
    return field;
}

int FieldReader::NextNumber() {
    return ParseNumber(Next());
}

SkinRect FieldReader::NextRect() {
    int x = NextNumber();
    int y = NextNumber();
    int w = NextNumber();
    int h = NextNumber();
    return MakeRect(x, y, w, h);
}

bool FieldReader::NextFlag(char letter) {
    std::string field = Next();
    return !field.empty() && field[0] == letter;
}

bool ParseButtonEntry(const std::string& value, ButtonEntry& out) {
    if (!Usable(value)) return false;
    FieldReader fields(value);
    out.name = fields.Next();
    out.rect = fields.NextRect();
    out.tip = fields.Next();
    out.twoState = fields.NextFlag('T');
    return true;
}

bool ParseSliderEntry(const std::string& value, SliderEntry& out) {
    if (!Usable(value)) return false;
    FieldReader fields(value);
    out.name = fields.Next();
    out.thumb = fields.Next();
    out.pressedThumb = fields.Next();
    out.rect = fields.NextRect();
    out.horizontal = fields.NextFlag('H');
    out.position = fields.NextNumber();
    return true;
}

bool ParseTextEntry(const std::string& value, TextEntry& out) {
    if (!Usable(value)) return false;
    FieldReader fields(value);
    out.name = fields.Next();
    out.face = fields.Next().substr(0, kMaxFaceChars);
    out.bold = fields.NextFlag('T');
    // Italic when the field begins with "F": existing skin files are written for that reading.
    out.italic = fields.NextFlag('F');
    out.size = std::clamp(fields.NextNumber(), -kMaxFontHeight, kMaxFontHeight);
    out.colour = static_cast<unsigned>(fields.NextNumber()) & 0xFFFFFFu;
    out.rect = fields.NextRect();
    out.text = fields.Next();
    return true;
}

bool ParseProgressEntry(const std::string& value, ProgressEntry& out) {
    if (!Usable(value)) return false;
    FieldReader fields(value);
    out.name = fields.Next();
    out.tip = fields.Next();
    out.rect = fields.NextRect();
    out.vertical = fields.NextFlag('H');
    return true;
}

namespace {

struct ControlCommand {
    const char* name;
    int command;
};

// Buttons post their command; text fields and sliders are listed for their hint text.
constexpr ControlCommand kControlCommands[] = {
    {"ID_PLAYBACK_PLAY", 40003},
    {"ID_FILE_SELECTDISC", 40018},
    {"ID_PLAYBACK_STOP", 40005},
    {"ID_PLAYBACK_NEXTCHAPTER", 40008},
    {"ID_PLAYBACK_PREVIOUSCHAPTER", 40009},
    {"ID_PLAYBACK_PAUSE", 40004},
    {"ID_FILE_EXIT", 40002},
    {"ID_BUTTON_MINIMIZE", 8},
    {"BUTTON_PLAYLIST", 9},
    {"BUTTON_NEXTTRACK", 16},
    {"BUTTON_PREVTRACK", 17},
    {"ID_SONG_NAME", 10},
    {"ID_PLAYBACK_TIME", 11},
    {"TEXT_POS", 12},
    {"TEXT_HINT", 13},
    {"TRACKBAR_VOLUME", 14},
    {"TRACKBAR_POS", 15},
    {"ID_JUMP_FORWARD", 40061},
    {"ID_JUMP_BACKWARD", 40062},
    {"IDC_BUTTON_CLOSE_PLAYLIST", 1051},
    {"IDC_BUTTON1_FILELIST_LOOP", 1050},
    {"IDC_SLIDER1_PLAYBACK_POSITION", 1039},
    {"IDC_SLIDER1_VOLUME", 1038},
    {"ID_PLAYBACK_STATUS", 18},
    {"ID_PLAY_DISK", 40051},
    {"ID_OPEN_PLAYLIST", 40079},
    {"ID_FILE_EJECT", 40049},
    {"ID_CHANGE_SKIN", 12},
    {"ID_SETUP", 40080},
    {"ID_WEBSITE", 40081},
    {"ID_POPUP_HELP", 40082},
};
static_assert(std::size(kControlCommands) == 31);

}  // namespace

int CommandOfControl(const std::string& name) {
    for (const ControlCommand& row : kControlCommands) {
        if (name == row.name) return row.command;
    }
    return 0;
}

}  // namespace skin
