#include "DvdReports.h"

#include <iterator>
#include <string_view>
#include <utility>

namespace {

struct ValueName {
    int value;
    const char* name;
};

template <size_t N>
const char* FindName(const ValueName (&table)[N], int value, const char* fallback) {
    for (const ValueName& entry : table) {
        if (entry.value == value) return entry.name;
    }
    return fallback;
}

constexpr char kUnknownValue[] = "UNKNOWN";

constexpr ValueName kTextStringTypes[] = {
    {0x01, "Struct_Volume"},      {0x02, "Struct_Title"},     {0x03, "Struct_ParentalID"},
    {0x04, "Struct_Chapter"},     {0x05, "Struct_Cell"},      {0x10, "Stream_Audio"},
    {0x11, "Stream_Sub-picture"}, {0x12, "Stream_Angle"},     {0x20, "Audio Channel"},
    {0x30, "General_name"},       {0x31, "General_comments"}, {0x38, "Title_Series"},
    {0x39, "Title_Movie"},        {0x3A, "Title_Video"},      {0x3B, "Title_Album"},
    {0x3C, "Title_Song"},         {0x3F, "Title_Other"},      {0x40, "Title_Sub_Series"},
    {0x41, "Title_Sub_Movie"},    {0x42, "Title_Sub_Video"},  {0x43, "Title_Sub_Album"},
    {0x44, "Title_Sub_Song"},     {0x47, "Title_Sub_Other"},  {0x48, "Title_Orig_Series"},
    {0x49, "Title_Orig_Movie"},   {0x4A, "Title_Orig_Video"}, {0x4B, "Title_Orig_Album"},
    {0x4C, "Title_Orig_Song"},    {0x4F, "Title_Orig_Other"},
};

constexpr ValueName kAudioAppModes[] = {
    {0, "DVD_AudioMode_None"},
    {1, "DVD_AudioMode_Karaoke"},
    {2, "DVD_AudioMode_Surround"},
    {3, "DVD_AudioMode_Other"},
};

constexpr ValueName kAudioFormats[] = {
    {0, "DVD_AudioFormat_AC3"},   {1, "DVD_AudioFormat_MPEG1"},     {2, "DVD_AudioFormat_MPEG1_DRC"},
    {3, "DVD_AudioFormat_MPEG2"}, {4, "DVD_AudioFormat_MPEG2_DRC"}, {5, "DVD_AudioFormat_LPCM"},
    {6, "DVD_AudioFormat_DTS"},   {7, "DVD_AudioFormat_SDDS"},      {8, "DVD_AudioFormat_Other"},
};

constexpr ValueName kAudioLanguageExtensions[] = {
    {0, "DVD_AUD_EXT_NotSpecified"},      {1, "DVD_AUD_EXT_Captions"},
    {2, "DVD_AUD_EXT_VisuallyImpaired"},  {3, "DVD_AUD_EXT_DirectorComments1"},
    {4, "DVD_AUD_EXT_DirectorComments2"},
};

constexpr ValueName kKaraokeAssignments[] = {
    {0, "DVD_Assignment_reserved0"}, {1, "DVD_Assignment_reserved1"}, {2, "DVD_Assignment_LR"},
    {3, "DVD_Assignment_LRM"},       {4, "DVD_Assignment_LR1"},       {5, "DVD_Assignment_LRM1"},
    {6, "DVD_Assignment_LR12"},      {7, "DVD_Assignment_LRM12"},
};

constexpr ValueName kSubpictureTypes[] = {
    {0, "DVD_SPType_NotSpecified"},
    {1, "DVD_SPType_Language"},
    {2, "DVD_SPType_Other"},
};

constexpr ValueName kSubpictureCodings[] = {
    {0, "DVD_SPCoding_RunLength"},
    {1, "DVD_SPCoding_Extended"},
    {2, "DVD_SPCoding_Other"},
};

constexpr ValueName kSubpictureLanguageExtensions[] = {
    {0, "DVD_SP_EXT_NotSpecified"},
    {1, "DVD_SP_EXT_Caption_Normal"},
    {2, "DVD_SP_EXT_Caption_Big"},
    {3, "DVD_SP_EXT_Caption_Children"},
    {5, "DVD_SP_EXT_CC_Normal"},
    {6, "DVD_SP_EXT_CC_Big"},
    {7, "DVD_SP_EXT_CC_Children"},
    {9, "DVD_SP_EXT_Forced"},
    {13, "DVD_SP_EXT_DirectorComments_Normal"},
    {14, "DVD_SP_EXT_DirectorComments_Big"},
    {15, "DVD_SP_EXT_DirectorComments_Children"},
};

constexpr ValueName kVideoCompressions[] = {
    {0, "DVD_VideoCompression_Other"},
    {1, "DVD_VideoCompression_MPEG1"},
    {2, "DVD_VideoCompression_MPEG2"},
};

// The karaoke content bits in the order they are named.
constexpr ValueName kKaraokeContents[] = {
    {0x01, "GuideVocal1"},  {0x02, "GuideVocal2"},  {0x04, "GuideMelody1"}, {0x08, "GuideMelody2"},
    {0x10, "GuideMelodyA"}, {0x20, "GuideMelodyB"}, {0x40, "SoundEffectA"}, {0x80, "SoundEffectB"},
};

// The highest type that marks a structure, stream or channel rather than carrying a text.
constexpr int kLastMarkerType = 0x20;

// The record holds contents for eight channels, whatever the stream claims to have.
constexpr unsigned kKaraokeChannels = std::size(DVD_KaraokeAttributes{}.wChannelContents);

class Lines {
public:
    Lines& Add(std::string_view label) {
        mText.append(label);
        return *this;
    }
    Lines& Add(unsigned long number) {
        mText.append(std::to_string(number));
        return *this;
    }
    Lines& End() {
        mText.push_back('\n');
        return *this;
    }
    Lines& Line(std::string_view label) { return Add(label).End(); }
    Lines& Line(std::string_view label, std::string_view value) { return Add(label).Add(value).End(); }
    Lines& Line(std::string_view label, unsigned long number) { return Add(label).Add(number).End(); }
    std::string Take() { return std::move(mText); }

private:
    std::string mText;
};

}  // namespace

const char* TextStringTypeName(int type) {
    return FindName(kTextStringTypes, type, "Unknown");
}
const char* AudioAppModeName(int mode) {
    return FindName(kAudioAppModes, mode, kUnknownValue);
}
const char* AudioFormatName(int format) {
    return FindName(kAudioFormats, format, kUnknownValue);
}
const char* AudioLanguageExtensionName(int extension) {
    return FindName(kAudioLanguageExtensions, extension, kUnknownValue);
}
const char* KaraokeAssignmentName(int assignment) {
    return FindName(kKaraokeAssignments, assignment, kUnknownValue);
}
const char* SubpictureTypeName(int type) {
    return FindName(kSubpictureTypes, type, kUnknownValue);
}
const char* SubpictureCodingName(int coding) {
    return FindName(kSubpictureCodings, coding, kUnknownValue);
}
const char* SubpictureLanguageExtensionName(int extension) {
    return FindName(kSubpictureLanguageExtensions, extension, kUnknownValue);
}
const char* VideoCompressionName(int compression) {
    return FindName(kVideoCompressions, compression, kUnknownValue);
}
const char* TruthName(BOOL value) {
    return value ? "true" : "false";
}

const char* KaraokeContentName(WORD contents) {
    for (const ValueName& bit : kKaraokeContents) {
        if (contents & bit.value) return bit.name;
    }
    return "Unknown";
}

std::string TextInfoReport(const std::vector<DvdTextEntry>& entries) {
    Lines report;
    for (const DvdTextEntry& entry : entries) {
        report.Add(TextStringTypeName(entry.type)).Add(" ");
        if (entry.type > kLastMarkerType) report.Add(entry.text);
        report.End();
    }
    return report.Take();
}

std::string AudioAttributesReport(const DVD_AudioAttributes& audio, const DVD_KaraokeAttributes* karaoke,
                                  bool contentsKnown) {
    Lines report;
    report.Line("Audio Attributes :").End();
    report.Line("Audio Application Mode =", AudioAppModeName(audio.AppMode));
    report.Line("Audio Format = ", AudioFormatName(audio.AudioFormat));
    report.Line("Multichannel Extension = ", TruthName(audio.fHasMultichannelInfo));
    report.Line("Number of Audio Channels = ", audio.bNumberOfChannels);
    report.Line("Sampling Frequency = ", audio.dwFrequency);
    report.Line("Sampling Quantization = ", audio.bQuantization);
    report.Line("Language Code LCID = ", audio.Language);
    report.Line("Language Code Extension = ", AudioLanguageExtensionName(audio.LanguageExtension));
    if (audio.AppMode != DVD_AudioMode_Karaoke || !karaoke) return report.Take();

    report.End().Line("Karaoke Attributes :").End();
    report.Line("Version = ", karaoke->bVersion);
    report.Line("MasterOfCeremoniesInGuideVocal1 = ", TruthName(karaoke->fMasterOfCeremoniesInGuideVocal1));
    report.Line("Duet = ", TruthName(karaoke->fDuet));
    report.Line("ChannelAssignment = ", KaraokeAssignmentName(karaoke->ChannelAssignment));
    if (!contentsKnown) return report.Take();

    report.End().Line("Channel contents:").End();
    unsigned channels =
        audio.bNumberOfChannels < kKaraokeChannels ? audio.bNumberOfChannels : kKaraokeChannels;
    for (unsigned p = 0; p < channels; ++p) {
        report.Add("Channel ").Add(p).Add(":");
        for (const ValueName& bit : kKaraokeContents) {
            if (karaoke->wChannelContents[p] & bit.value) report.Add(" ").Add(bit.name);
        }
        report.End();
    }
    return report.Take();
}

std::string VideoAttributesReport(const DVD_VideoAttributes& video) {
    Lines report;
    report.Line("Video Attributes:").End();
    report.Line("Pan-Scan permitted: ", TruthName(video.fPanscanPermitted));
    report.Line("Letterbox permitted: ", TruthName(video.fLetterboxPermitted));
    report.Add("Aspect: ").Add(video.ulAspectX).Add(" x ").Add(video.ulAspectY).End();
    report.Line("Frame Rate: ", video.ulFrameRate);
    report.Line("Frame Height: ", video.ulFrameHeight);
    report.Line("Compression Mode: ", VideoCompressionName(video.Compression));
    report.Line("Line21 Field 1: ", TruthName(video.fLine21Field1InGOP));
    report.Line("Line21 Field 2: ", TruthName(video.fLine21Field2InGOP));
    report.Add("Source Resolution: ")
        .Add(video.ulSourceResolutionX)
        .Add(" x ")
        .Add(video.ulSourceResolutionY)
        .End();
    report.Line("Is Source Letterboxed? ", TruthName(video.fIsSourceLetterboxed));
    report.Line("Is Film Mode? ", TruthName(video.fIsFilmMode));
    return report.Take();
}

std::string SubpictureAttributesReport(const DVD_SubpictureAttributes& subpicture, const char* languageName) {
    Lines report;
    report.Line("SubPicture Attributes:").End();
    report.Line("Subpicture Type = ", SubpictureTypeName(subpicture.Type));
    report.Line("Subpicture Coding Mode = ", SubpictureCodingName(subpicture.CodingMode));
    if (languageName) {
        report.Line("Language Code = ", languageName);
    } else {
        report.Line("GetLocaleInfo Failed !!!");
    }
    report.Line("Language Code Extension = ", SubpictureLanguageExtensionName(subpicture.LanguageExtension));
    return report.Take();
}
