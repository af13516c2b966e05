// What a DVD-Video volume says about itself in its IFO files, read with libdvdread: the titles
// with their chapters, lengths and title sets, each title set's video, audio and subpicture
// attributes, the menus' languages, the parental table and the disc's identity. Plain values
// that the navigator's queries answer from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace navigator {

struct VideoAttributes {
    uint8_t mpegVersion = 1;  // 0 MPEG-1, 1 MPEG-2
    bool pal = true;
    uint8_t aspect = 0;            // 0 4:3, 3 16:9
    uint8_t permittedDisplay = 0;  // bit 0: no letterbox, bit 1: no pan-scan (as the IFO says)
    bool line21Field1 = false, line21Field2 = false;
    uint8_t pictureSize = 0;  // 0 720, 1 704, 2 352, 3 352 x half height
    bool letterboxed = false, film = false;
};

struct AudioAttributes {
    uint8_t coding = 0;  // 0 AC-3, 2 MPEG-1, 3 MPEG-2 extended, 4 LPCM, 6 DTS
    bool multichannel = false;
    uint8_t languageType = 0;  // 1: the language code is set
    uint8_t appMode = 0;       // 0 none, 1 karaoke, 2 surround
    uint8_t quantization = 0;  // 0 16 bit, 1 20, 2 24, 3 DRC
    uint8_t sampleRate = 0;    // 0 48 kHz, 1 96 kHz
    uint8_t channels = 2;      // the number of channels
    uint16_t language = 0;     // two ISO 639 letters, the first in the high byte
    uint8_t extension = 0;
    // Karaoke (appMode 1).
    uint8_t karaokeAssignment = 0, karaokeVersion = 0;
    bool karaokeMcIntro = false, karaokeDuet = false;
};

struct SubpictureAttributes {
    uint8_t coding = 0;
    uint8_t type = 0;  // 0 not specified, 1 language
    uint16_t language = 0;
    uint8_t extension = 0;
};

struct TitleSetAttributes {
    VideoAttributes video, menuVideo;
    std::vector<AudioAttributes> audio;
    std::vector<SubpictureAttributes> subpictures;
    std::vector<AudioAttributes> menuAudio;
    std::vector<SubpictureAttributes> menuSubpictures;
    std::vector<uint16_t> menuLanguages;
    uint8_t menus = 0;  // bit n: the title set has menu n (DVD_MENU_ID 3 root to 7 chapters)
};

struct TitleFacts {
    unsigned titleSet = 1;  // 1-based
    unsigned vtsTitle = 1;
    unsigned angles = 1;
    std::vector<uint32_t> chapterStartMs;  // one per chapter, the first 0
    uint32_t lengthMs = 0;
    unsigned frameRate = 25;
    uint32_t prohibited = 0;  // the title's own user-operation mask (time and chapter play)
    uint16_t parentalId = 0;
};

struct DiscFacts {
    std::string folder;  // the VIDEO_TS folder
    std::vector<TitleFacts> titles;
    std::vector<TitleSetAttributes> titleSets;  // [0] is title set 1
    VideoAttributes managerMenuVideo;
    std::vector<AudioAttributes> managerMenuAudio;
    std::vector<SubpictureAttributes> managerMenuSubpictures;
    std::vector<uint16_t> menuLanguages;  // of the video manager's menus
    uint8_t managerMenus = 0;             // bit n: the video manager has menu n (2: the title menu)
    unsigned volumes = 1, volume = 1, side = 1;
    uint32_t regionMask = 0;  // regions the disc refuses (bit n: region n + 1)
    uint64_t id = 0;          // from the checksum of the IFO files
    // Parental levels (1-8) the title sets allow per level, for the first country: bit n of
    // levelMasks[level - 1][titleSet] is parental id n; empty when the disc has no table.
    std::vector<std::vector<uint16_t>> levelMasks;
};

// The VIDEO_TS folder a user's path names: the folder itself, the volume root that holds it, or
// its VIDEO_TS.IFO file. Separators and case as given; "" when the path is empty.
std::string VideoTsFolder(const std::string& path, bool (*isDirectory)(const std::string&));

// Reads the IFO files of the volume in `folder` (UTF-8). False, with `why`, when it holds no
// readable DVD-Video volume.
bool ReadDiscFacts(const std::string& folder, DiscFacts& facts, std::string& why);

// The parental levels (bit n-1 for level n) under which title `title` (1-based) plays: every
// level when the disc has no parental table.
uint32_t TitleParentalLevels(const DiscFacts& facts, unsigned title);

}  // namespace navigator
