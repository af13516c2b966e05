#include "DvdTexts.h"

namespace dvdtext {

const char* NavigatorErrorText(long code) {
    static const char* const kTexts[] = {
        "An unexpected error (possibly incorrectly authored content)\nwas encountered.\n"
        "Can't playback this DVD-Video disc.",
        "Key exchange for DVD copy protection failed.\nCan't playback this DVD-Video disc.",
        "This DVD-Video disc is incorrectly authored for v1.0  of the DVD-Video standard.\nCan't playback this disc.",
        "This DVD-Video disc cannot be played, because it is not\nauthored to play in the current system region.\n"
        "The region mismatch may be fixed by changing the\nsystem region (with DVDRgn.exe).",
        "Player parental level is set lower than the lowest parental\nlevel available in this DVD-Video content.\n"
        "Cannot playback this DVD-Video disc.",
        "This DVD-Video content is protected by Macrovision.\nThe system does not satisfy Macrovision requirement.\n"
        "Can't continue playing this disc.",
        "No DVD-Video disc can be played on this system, because \nthe system region does not match the decoder "
        "region.\nPlease contact the manufacturer of this system.",
        "This DVD-Video disc cannot be played on this system, because it is\nnot authored to be played in the "
        "installed decoder's region.",
    };
    if (code < 1 || code > 8) return nullptr;
    return kTexts[code - 1];
}

}  // namespace dvdtext
