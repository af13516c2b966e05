#include "Script.h"

#include <cstdlib>
#include <sstream>

namespace dvdnav {

namespace {

struct CodeName {
    const char* name;
    long code;
};
constexpr CodeName kCodes[] = {
    {"EC_DVD_DOMAIN_CHANGE", 0x0101},
    {"EC_DVD_TITLE_CHANGE", 0x0102},
    {"EC_DVD_CHAPTER_START", 0x0103},
    {"EC_DVD_AUDIO_STREAM_CHANGE", 0x0104},
    {"EC_DVD_SUBPICTURE_STREAM_CHANGE", 0x0105},
    {"EC_DVD_ANGLE_CHANGE", 0x0106},
    {"EC_DVD_BUTTON_CHANGE", 0x0107},
    {"EC_DVD_VALID_UOPS_CHANGE", 0x0108},
    {"EC_DVD_STILL_ON", 0x0109},
    {"EC_DVD_STILL_OFF", 0x010A},
    {"EC_DVD_CURRENT_TIME", 0x010B},
    {"EC_DVD_ERROR", 0x010C},
    {"EC_DVD_WARNING", 0x010D},
    {"EC_DVD_CHAPTER_AUTOSTOP", 0x010E},
    {"EC_DVD_NO_FP_PGC", 0x010F},
    {"EC_DVD_PLAYBACK_RATE_CHANGE", 0x0110},
    {"EC_DVD_PARENTAL_LEVEL_CHANGE", 0x0111},
    {"EC_DVD_PLAYBACK_STOPPED", 0x0112},
    {"EC_DVD_ANGLES_AVAILABLE", 0x0113},
    {"EC_DVD_PLAYPERIOD_AUTOSTOP", 0x0114},
    {"EC_DVD_BUTTON_AUTO_ACTIVATED", 0x0115},
    {"EC_DVD_CMD_START", 0x0116},
    {"EC_DVD_CMD_END", 0x0117},
    {"EC_DVD_DISC_EJECTED", 0x0118},
    {"EC_DVD_DISC_INSERTED", 0x0119},
    {"EC_DVD_CURRENT_HMSF_TIME", 0x011A},
    {"EC_DVD_KARAOKE_MODE", 0x011B},
};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

// Two-letter language codes as the IFO stores them; "0" for none.
bool ParseLanguage(const std::string& word, uint16_t& code) {
    if (word == "0") {
        code = 0;
        return true;
    }
    if (word.size() != 2) return false;
    code =
        static_cast<uint16_t>(static_cast<unsigned char>(word[0]) << 8 | static_cast<unsigned char>(word[1]));
    return true;
}

// The rest of the line after the first `skip` words, for texts with blanks.
std::string RestAfterWords(const std::string& line, size_t skip) {
    size_t at = 0;
    for (size_t i = 0; i < skip; ++i) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos) return {};
        at = line.find_first_of(" \t", at);
        if (at == std::string::npos) return {};
    }
    at = line.find_first_not_of(" \t", at);
    if (at == std::string::npos) return {};
    std::string rest = line.substr(at);
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' '))
        rest.pop_back();
    return rest;
}

}  // namespace

bool ParseNumber(const std::string& word, long& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    long long v = std::strtoll(word.c_str(), &end, 0);
    if (*end != '\0') return false;
    value = static_cast<long>(v);  // 0x8004027B keeps its bits as an HRESULT
    return true;
}

bool ParseEventCode(const std::string& word, long& code) {
    for (const auto& c : kCodes) {
        if (word == c.name) {
            code = c.code;
            return true;
        }
    }
    return ParseNumber(word, code);
}

bool ApplyScriptLine(Script& s, const std::string& line) {
    std::vector<std::string> w = Words(line);
    if (w.empty() || w[0][0] == '#') return true;
    const std::string& d = w[0];
    long n = 0;
    if (d == "first_play" && w.size() == 2) {
        if (w[1] == "title")
            s.firstPlay = FirstPlay::Title;
        else if (w[1] == "menu")
            s.firstPlay = FirstPlay::Menu;
        else if (w[1] == "none")
            s.firstPlay = FirstPlay::None;
        else
            return false;
        return true;
    }
    if (d == "old_navigator") return s.oldNavigator = true;
    if (d == "line21") return s.line21 = true;
    if (d == "mixer") return s.mixer = true;
    if (d == "render_hr" && w.size() == 2 && ParseNumber(w[1], n)) {
        s.renderFails = true;
        s.renderHr = n;
        return true;
    }
    if (d == "render_partial") {
        s.renderPartial = true;
        for (size_t i = 1; i < w.size(); ++i) {
            size_t eq = w[i].find('=');
            if (eq == std::string::npos || !ParseNumber(w[i].substr(eq + 1), n)) return false;
            s.renderStatus[w[i].substr(0, eq)] = n;
        }
        return true;
    }
    if (d == "no_interface" && w.size() == 2) return s.noInterface.insert(w[1]), true;
    if (d == "fail" && (w.size() == 2 || w.size() == 3)) {
        long hr = static_cast<long>(0x80004005L);  // E_FAIL
        if (w.size() == 3 && !ParseNumber(w[2], hr)) return false;
        s.fail[w[1]] = hr;
        return true;
    }
    if (d == "inhibit" && w.size() == 2) return s.inhibit.insert(w[1]), true;
    if (d == "event" && w.size() >= 3 && w.size() <= 5) {
        ScriptEvent e;
        if (w[1] == "build")
            e.when = ScriptEvent::When::Build;
        else if (w[1] == "run")
            e.when = ScriptEvent::When::Run;
        else if (w[1] == "now")
            e.when = ScriptEvent::When::Now;
        else if (w[1][0] == '+' && ParseNumber(w[1].substr(1), n) && n >= 0) {
            e.when = ScriptEvent::When::After;
            e.ms = static_cast<unsigned>(n);
        } else {
            return false;
        }
        if (!ParseEventCode(w[2], e.code)) return false;
        if (w.size() > 3 && !ParseNumber(w[3], e.p1)) return false;
        if (w.size() > 4 && !ParseNumber(w[4], e.p2)) return false;
        s.events.push_back(e);
        return true;
    }
    if (d == "parental_level" && w.size() == 2 && ParseNumber(w[1], n) && n >= 0) {
        s.parentalLevel = static_cast<unsigned>(n);
        return true;
    }
    if (d == "angles" && w.size() == 2 && ParseNumber(w[1], n) && n >= 1 && n <= 9) {
        s.angles = static_cast<unsigned>(n);
        return true;
    }
    if (d == "karaoke" && w.size() >= 2 && w.size() <= 4 && ParseNumber(w[1], n) && n >= 0 && n < 8) {
        Karaoke k;
        long a = 0;
        if (w.size() > 2) {
            if (!ParseNumber(w[2], a)) return false;
            k.assignment = static_cast<unsigned>(a);
        }
        if (w.size() > 3) {
            k.contents.clear();
            std::istringstream list(w[3]);
            std::string item;
            while (std::getline(list, item, ',')) {
                if (!ParseNumber(item, a)) return false;
                k.contents.push_back(static_cast<uint16_t>(a));
            }
        }
        s.karaoke[static_cast<unsigned>(n)] = k;
        return true;
    }
    if (d == "text" && w.size() >= 3) {
        long lcid = 0, type = 0;
        if (!ParseNumber(w[1], lcid) || !ParseNumber(w[2], type)) return false;
        s.texts.push_back(
            {static_cast<unsigned>(lcid), static_cast<unsigned>(type), RestAfterWords(line, 3)});
        return true;
    }
    if ((d == "audio_lang" || d == "subpicture_lang") && w.size() == 3 && ParseNumber(w[1], n) && n >= 0) {
        uint16_t code = 0;
        if (!ParseLanguage(w[2], code)) return false;
        (d == "audio_lang" ? s.audioLang : s.subpictureLang)[static_cast<unsigned>(n)] = code;
        return true;
    }
    if (d == "attr" && w.size() >= 3) {
        std::string target = w[1];
        size_t first = 2;
        if (target != "video") {
            if (target != "audio" && target != "subpicture" && target != "karaoke") return false;
            if (!ParseNumber(w[2], n) || n < 0 || n > 31) return false;
            target += " " + std::to_string(n);
            first = 3;
        }
        if (first >= w.size()) return false;
        for (size_t i = first; i < w.size(); ++i) {
            size_t eq = w[i].find('=');
            long v = 0;
            if (eq == std::string::npos || !ParseNumber(w[i].substr(eq + 1), v)) return false;
            s.attributes[target][w[i].substr(0, eq)] = v;
        }
        return true;
    }
    if (d == "command_ms" && w.size() == 2 && ParseNumber(w[1], n) && n >= 0) {
        s.commandMs = static_cast<unsigned>(n);
        return true;
    }
    if (d == "menu_buttons" && w.size() == 2 && ParseNumber(w[1], n) && n >= 1 && n <= 36) {
        s.menuButtons = static_cast<int>(n);
        return true;
    }
    return false;
}

Script ParseScript(const std::string& text, std::vector<std::string>* unknown) {
    Script s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!ApplyScriptLine(s, line) && unknown) unknown->push_back(line);
    }
    return s;
}

}  // namespace dvdnav
