// The per-test script of the navigator double (format in README.md): what a disc cannot show by
// itself. Parsed without the platform headers so that the parser is plain logic.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace dvdnav {

enum class FirstPlay { Title, Menu, None };

struct ScriptEvent {
    enum class When { Build, Run, After, Now } when = When::Now;
    unsigned ms = 0;  // for After: milliseconds after the first Run
    long code = 0, p1 = 0, p2 = 0;
};

struct TextString {
    unsigned lcid = 0;
    unsigned type = 0;
    std::string text;  // UTF-8
};

struct Karaoke {
    unsigned assignment = 2;
    std::vector<uint16_t> contents{0x1, 0x2};
};

struct Script {
    FirstPlay firstPlay = FirstPlay::Title;
    bool oldNavigator = false;
    bool line21 = false;  // the graph has a closed-caption decoder
    bool mixer = false;   // and an overlay mixer's colour controls
    bool renderFails = false;
    long renderHr = 0;
    bool renderPartial = false;
    std::map<std::string, long> renderStatus;  // AM_DVD_RENDERSTATUS field name -> value
    std::set<std::string> noInterface;
    std::map<std::string, long> fail;  // method -> result; "*Info" for every IDvdInfo2 query
    std::set<std::string> inhibit;
    std::vector<ScriptEvent> events;
    unsigned parentalLevel = 8;
    unsigned angles = 1;
    std::map<unsigned, Karaoke> karaoke;
    std::vector<TextString> texts;
    std::map<unsigned, uint16_t> audioLang, subpictureLang;
    // Attribute members set by name: "audio 1" / "subpicture 0" / "video" / "karaoke 1" ->
    // member name -> value (after the values read from the disc).
    std::map<std::string, std::map<std::string, long>> attributes;
    unsigned commandMs = 0;
    int menuButtons = -1;  // -1: one per title
};

// Applies one directive; false when the line is not one (comments and blank lines are true).
bool ApplyScriptLine(Script& script, const std::string& line);
// Every line of `text`; the lines that were not directives go to `unknown`.
Script ParseScript(const std::string& text, std::vector<std::string>* unknown = nullptr);
// An event code by name ("EC_DVD_ERROR") or number; false when neither.
bool ParseEventCode(const std::string& word, long& code);
// Decimal, 0x hexadecimal or negative numbers.
bool ParseNumber(const std::string& word, long& value);

}  // namespace dvdnav
