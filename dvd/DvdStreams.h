// The subpicture and audio streams of the current title as the user sees them: a language name
// for each, the current one, and whether subpictures are shown. The popup menu and the stream
// dialogs both list them.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

struct DvdStreamList {
    bool known = false;  // the count query answered; nothing else is meaningful otherwise
    ULONG count = 0;     // streams the navigator reports
    ULONG current = 0;
    bool disabled = false;  // subpictures only: display is off
    // One name per stream in order; shorter than count when a language query failed midway.
    std::vector<std::string> names;
};

// The name of a stream's language: the system's name of lcid when lcid is not 0 and the system
// knows it (at most 49 characters), else the program's own name of attributesLanguage, else
// "Unknown".
std::string StreamLanguageName(LCID lcid, LCID attributesLanguage);

// At most 32 subpicture and 8 audio names are read: a navigator that reports more streams than
// a title can carry is cut there.
DvdStreamList ReadSubpictureStreams(IDvdInfo2* dvdInfo);
DvdStreamList ReadAudioStreams(IDvdInfo2* dvdInfo);
