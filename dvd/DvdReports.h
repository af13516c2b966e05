// The texts of the four disc-information boxes and the names of the navigator's enumeration
// values in them, built from the attribute records alone so that they can be checked without a
// disc.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

// Names of the navigator's values; a value outside a table gives the table's default.
const char* TextStringTypeName(int type);  // default "Unknown"
const char* AudioAppModeName(int mode);    // the others default to "UNKNOWN"
const char* AudioFormatName(int format);
const char* AudioLanguageExtensionName(int extension);
const char* KaraokeAssignmentName(int assignment);
const char* SubpictureTypeName(int type);
const char* SubpictureCodingName(int coding);
const char* SubpictureLanguageExtensionName(int extension);
const char* VideoCompressionName(int compression);
const char* TruthName(BOOL value);  // "true" / "false"

// What one karaoke channel carries, named by its lowest content bit; "Unknown" without one.
const char* KaraokeContentName(WORD contents);

// One string of the disc's first text language.
struct DvdTextEntry {
    int type = 0;
    std::string text;
};

// Every line ends with "\n". Structure, stream and channel markers (types up to 0x20) carry no
// text of their own, so only their name is listed.
std::string TextInfoReport(const std::vector<DvdTextEntry>& entries);
// karaoke is null when the stream is not a karaoke stream or its karaoke query failed;
// contentsKnown is false when the navigator said the channel contents are not available.
std::string AudioAttributesReport(const DVD_AudioAttributes& audio, const DVD_KaraokeAttributes* karaoke,
                                  bool contentsKnown);
std::string VideoAttributesReport(const DVD_VideoAttributes& video);
// languageName is the system's name of the stream's language, null when it has none.
std::string SubpictureAttributesReport(const DVD_SubpictureAttributes& subpicture, const char* languageName);
