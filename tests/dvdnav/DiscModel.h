// What the navigator double knows of a DVD-Video volume, read from its IFO files: titles, their
// chapters with start times, lengths, and the title set's stream attributes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dvdnav {

struct AudioStream {
    uint8_t coding = 0;      // IFO coding mode: 0 AC-3, 2 MPEG-1, 3 MPEG-2, 4 LPCM, 6 DTS
    uint8_t appMode = 0;     // 0 none, 1 karaoke, 2 surround
    uint8_t channels = 0;    // number of channels
    uint8_t sampleRate = 0;  // 0: 48 kHz
    uint8_t quantization = 0;
    uint16_t language = 0;  // two ISO 639 letters, first in the high byte; 0 none
    uint8_t extension = 0;
    uint8_t appInfo = 0;  // karaoke: assignment, version, MC intro, duet
};

struct SubpictureStream {
    uint8_t coding = 0;
    uint16_t language = 0;
    uint8_t extension = 0;
};

struct VideoInfo {
    uint8_t compression = 1;  // 0 MPEG-1, 1 MPEG-2
    bool pal = true;
    uint8_t aspect = 0;  // 0 4:3, 3 16:9
    bool panScanForbidden = false, letterboxForbidden = false;
    bool line21Field1 = false, line21Field2 = false;
    uint8_t resolution = 0;  // 0 720, 1 704, 2 352, 3 352 x half height
    bool letterboxed = false, film = false;
};

struct Title {
    unsigned angles = 1;
    unsigned titleSet = 1;
    std::vector<unsigned> chapterStartMs;  // one per chapter, the first 0
    unsigned lengthMs = 0;
    unsigned frameRate = 25;
};

struct Disc {
    std::string folder;  // the VIDEO_TS folder, as given
    std::vector<Title> titles;
    VideoInfo video;
    std::vector<AudioStream> audio;             // of title set 1
    std::vector<SubpictureStream> subpictures;  // of title set 1
    unsigned long long id = 0;                  // hash of VIDEO_TS.IFO's bytes
};

// Reads folder\VIDEO_TS.IFO and the title sets' VTS_nn_0.IFO. False (and `why`) when the folder
// holds no readable volume.
bool ReadDisc(const std::string& folder, Disc& disc, std::string& why);

// Milliseconds of an IFO time (BCD hours, minutes, seconds, and frames with the rate in the top
// two bits); `rate` receives 25 or 30.
unsigned IfoTimeMs(const uint8_t time[4], unsigned* rate);

}  // namespace dvdnav
