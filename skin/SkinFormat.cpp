#include "SkinFormat.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

#include "Commands.h"
#include "IniFile.h"

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
    {"ID_PLAYBACK_PLAY", ID_PLAYBACK_PLAY},
    {"ID_FILE_SELECTDISC", ID_FILE_SELECTDISC},
    {"ID_PLAYBACK_STOP", ID_PLAYBACK_STOP},
    {"ID_PLAYBACK_NEXTCHAPTER", ID_PLAYBACK_NEXTCHAPTER},
    {"ID_PLAYBACK_PREVIOUSCHAPTER", ID_PLAYBACK_PREVIOUSCHAPTER},
    {"ID_PLAYBACK_PAUSE", ID_PLAYBACK_PAUSE},
    {"ID_FILE_EXIT", ID_FILE_EXIT},
    {"ID_BUTTON_MINIMIZE", ID_BUTTON_MINIMIZE},
    {"BUTTON_PLAYLIST", ID_BUTTON_PLAYLIST},
    {"BUTTON_NEXTTRACK", ID_BUTTON_NEXTTRACK},
    {"BUTTON_PREVTRACK", ID_BUTTON_PREVTRACK},
    {"ID_SONG_NAME", IDC_SONG_NAME},
    {"ID_PLAYBACK_TIME", IDC_PLAYBACK_TIME},
    // The skin format gives the position text the change-skin command's number. A click on a text
    // field sends no command, so the two never meet; the hint line over the field is that
    // command's.
    {"TEXT_POS", ID_CHANGE_SKIN},
    {"TEXT_HINT", IDC_TEXT_HINT},
    {"TRACKBAR_VOLUME", IDC_TRACKBAR_VOLUME},
    {"TRACKBAR_POS", IDC_TRACKBAR_POS},
    {"ID_JUMP_FORWARD", ID_JUMP_FORWARD},
    {"ID_JUMP_BACKWARD", ID_JUMP_BACKWARD},
    {"IDC_BUTTON_CLOSE_PLAYLIST", IDC_BUTTON_CLOSE_PLAYLIST},
    {"IDC_BUTTON1_FILELIST_LOOP", IDC_BUTTON1_FILELIST_LOOP},
    {"IDC_SLIDER1_PLAYBACK_POSITION", IDC_SLIDER1_PLAYBACK_POSITION},
    {"IDC_SLIDER1_VOLUME", IDC_SLIDER1_VOLUME},
    {"ID_PLAYBACK_STATUS", IDC_PLAYBACK_STATUS},
    {"ID_PLAY_DISK", ID_PLAY_DISK},
    {"ID_OPEN_PLAYLIST", ID_OPEN_PLAYLIST},
    {"ID_FILE_EJECT", ID_FILE_EJECT},
    {"ID_CHANGE_SKIN", ID_CHANGE_SKIN},
    {"ID_SETUP", ID_SETUP},
    {"ID_WEBSITE", ID_WEBSITE},
    {"ID_POPUP_HELP", ID_POPUP_HELP},
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
