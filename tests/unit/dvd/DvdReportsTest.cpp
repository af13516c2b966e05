#include <gtest/gtest.h>

#include <string>

#include "DvdReports.h"

namespace {

DVD_AudioAttributes StereoEnglishAc3() {
    DVD_AudioAttributes audio{};
    audio.AppMode = DVD_AudioMode_None;
    audio.AudioFormat = DVD_AudioFormat_AC3;
    audio.Language = 1033;
    audio.LanguageExtension = DVD_AUD_EXT_NotSpecified;
    audio.fHasMultichannelInfo = FALSE;
    audio.dwFrequency = 48000;
    audio.bQuantization = 16;
    audio.bNumberOfChannels = 2;
    return audio;
}

const char kPlainAudioReport[] =
    "Audio Attributes :\n"
    "\n"
    "Audio Application Mode =DVD_AudioMode_None\n"
    "Audio Format = DVD_AudioFormat_AC3\n"
    "Multichannel Extension = false\n"
    "Number of Audio Channels = 2\n"
    "Sampling Frequency = 48000\n"
    "Sampling Quantization = 16\n"
    "Language Code LCID = 1033\n"
    "Language Code Extension = DVD_AUD_EXT_NotSpecified\n";

TEST(DvdAudioReport, ANonKaraokeStreamEndsAfterItsLanguageExtension) {
    EXPECT_EQ(kPlainAudioReport, AudioAttributesReport(StereoEnglishAc3(), nullptr, true));
    // Karaoke attributes of a stream that is not a karaoke stream are not listed.
    DVD_KaraokeAttributes karaoke{};
    EXPECT_EQ(kPlainAudioReport, AudioAttributesReport(StereoEnglishAc3(), &karaoke, true));
}

TEST(DvdAudioReport, AKaraokeStreamListsItsAttributesAndEachChannelsContents) {
    DVD_AudioAttributes audio = StereoEnglishAc3();
    audio.AppMode = DVD_AudioMode_Karaoke;
    audio.AudioFormat = DVD_AudioFormat_LPCM;
    audio.fHasMultichannelInfo = TRUE;
    audio.bNumberOfChannels = 3;
    DVD_KaraokeAttributes karaoke{};
    karaoke.bVersion = 1;
    karaoke.fMasterOfCeremoniesInGuideVocal1 = TRUE;
    karaoke.fDuet = FALSE;
    karaoke.ChannelAssignment = DVD_Assignment_LRM;
    karaoke.wChannelContents[0] = 0;
    karaoke.wChannelContents[1] = DVD_Karaoke_GuideVocal1 | DVD_Karaoke_SoundEffectB;
    karaoke.wChannelContents[2] = 0xFF;
    const std::string head =
        "Audio Attributes :\n"
        "\n"
        "Audio Application Mode =DVD_AudioMode_Karaoke\n"
        "Audio Format = DVD_AudioFormat_LPCM\n"
        "Multichannel Extension = true\n"
        "Number of Audio Channels = 3\n"
        "Sampling Frequency = 48000\n"
        "Sampling Quantization = 16\n"
        "Language Code LCID = 1033\n"
        "Language Code Extension = DVD_AUD_EXT_NotSpecified\n"
        "\n"
        "Karaoke Attributes :\n"
        "\n"
        "Version = 1\n"
        "MasterOfCeremoniesInGuideVocal1 = true\n"
        "Duet = false\n"
        "ChannelAssignment = DVD_Assignment_LRM\n";
    EXPECT_EQ(head +
                  "\n"
                  "Channel contents:\n"
                  "\n"
                  "Channel 0:\n"
                  "Channel 1: GuideVocal1 SoundEffectB\n"
                  "Channel 2: GuideVocal1 GuideVocal2 GuideMelody1 GuideMelody2 GuideMelodyA GuideMelodyB "
                  "SoundEffectA SoundEffectB\n",
              AudioAttributesReport(audio, &karaoke, true));
    // The navigator may know the attributes but not what each channel carries.
    EXPECT_EQ(head, AudioAttributesReport(audio, &karaoke, false));
    // A failed karaoke query leaves only the karaoke part out.
    EXPECT_EQ(head.substr(0, head.find("\nKaraoke")), AudioAttributesReport(audio, nullptr, true));
}

TEST(DvdAudioReport, AStreamClaimingMoreChannelsThanTheRecordHoldsListsEight) {
    DVD_AudioAttributes audio = StereoEnglishAc3();
    audio.AppMode = DVD_AudioMode_Karaoke;
    audio.bNumberOfChannels = 200;
    DVD_KaraokeAttributes karaoke{};
    std::string report = AudioAttributesReport(audio, &karaoke, true);
    EXPECT_NE(std::string::npos, report.find("Channel 7:\n"));
    EXPECT_EQ(std::string::npos, report.find("Channel 8:"));
    EXPECT_NE(std::string::npos, report.find("Number of Audio Channels = 200\n"));
}

TEST(DvdAudioReport, ValuesOutsideEveryTableReadUnknown) {
    DVD_AudioAttributes audio = StereoEnglishAc3();
    audio.AppMode = static_cast<DVD_AUDIO_APPMODE>(4);
    audio.AudioFormat = static_cast<DVD_AUDIO_FORMAT>(9);
    audio.LanguageExtension = static_cast<DVD_AUDIO_LANG_EXT>(-1);
    std::string report = AudioAttributesReport(audio, nullptr, true);
    EXPECT_NE(std::string::npos, report.find("Audio Application Mode =UNKNOWN\n"));
    EXPECT_NE(std::string::npos, report.find("Audio Format = UNKNOWN\n"));
    EXPECT_NE(std::string::npos, report.find("Language Code Extension = UNKNOWN\n"));
    EXPECT_STREQ("DVD_AudioFormat_Other", AudioFormatName(8));
    EXPECT_STREQ("DVD_Assignment_LRM12", KaraokeAssignmentName(7));
    EXPECT_STREQ("UNKNOWN", KaraokeAssignmentName(8));
}

TEST(DvdVideoReport, ListsEveryAttributeOfTheCurrentVideo) {
    DVD_VideoAttributes video{};
    video.fPanscanPermitted = TRUE;
    video.fLetterboxPermitted = FALSE;
    video.ulAspectX = 16;
    video.ulAspectY = 9;
    video.ulFrameRate = 25;
    video.ulFrameHeight = 576;
    video.Compression = DVD_VideoCompression_MPEG2;
    video.fLine21Field1InGOP = FALSE;
    video.fLine21Field2InGOP = TRUE;
    video.ulSourceResolutionX = 720;
    video.ulSourceResolutionY = 576;
    video.fIsSourceLetterboxed = FALSE;
    video.fIsFilmMode = TRUE;
    EXPECT_EQ(
        "Video Attributes:\n"
        "\n"
        "Pan-Scan permitted: true\n"
        "Letterbox permitted: false\n"
        "Aspect: 16 x 9\n"
        "Frame Rate: 25\n"
        "Frame Height: 576\n"
        "Compression Mode: DVD_VideoCompression_MPEG2\n"
        "Line21 Field 1: false\n"
        "Line21 Field 2: true\n"
        "Source Resolution: 720 x 576\n"
        "Is Source Letterboxed? false\n"
        "Is Film Mode? true\n",
        VideoAttributesReport(video));
    video.Compression = static_cast<DVD_VIDEO_COMPRESSION>(3);
    EXPECT_NE(std::string::npos, VideoAttributesReport(video).find("Compression Mode: UNKNOWN\n"));
}

TEST(DvdSubpictureReport, NamesTheLanguageOrSaysTheSystemCouldNot) {
    DVD_SubpictureAttributes subpicture{};
    subpicture.Type = DVD_SPType_Language;
    subpicture.CodingMode = DVD_SPCoding_RunLength;
    subpicture.Language = 1036;
    subpicture.LanguageExtension = DVD_SP_EXT_DirectorComments_Children;
    EXPECT_EQ(
        "SubPicture Attributes:\n"
        "\n"
        "Subpicture Type = DVD_SPType_Language\n"
        "Subpicture Coding Mode = DVD_SPCoding_RunLength\n"
        "Language Code = French\n"
        "Language Code Extension = DVD_SP_EXT_DirectorComments_Children\n",
        SubpictureAttributesReport(subpicture, "French"));
    subpicture.Type = static_cast<DVD_SUBPICTURE_TYPE>(3);
    subpicture.CodingMode = static_cast<DVD_SUBPICTURE_CODING>(7);
    subpicture.LanguageExtension = static_cast<DVD_SUBPICTURE_LANG_EXT>(4);  // a gap in the table
    EXPECT_EQ(
        "SubPicture Attributes:\n"
        "\n"
        "Subpicture Type = UNKNOWN\n"
        "Subpicture Coding Mode = UNKNOWN\n"
        "GetLocaleInfo Failed !!!\n"
        "Language Code Extension = UNKNOWN\n",
        SubpictureAttributesReport(subpicture, nullptr));
    EXPECT_STREQ("DVD_SP_EXT_Forced", SubpictureLanguageExtensionName(9));
    EXPECT_STREQ("DVD_SP_EXT_CC_Normal", SubpictureLanguageExtensionName(5));
}

TEST(DvdTextReport, MarkersShowOnlyTheirNameAndTextsFollowTheirType) {
    std::vector<DvdTextEntry> entries = {
        {DVD_Struct_Volume, ""},        {DVD_General_Name, "Holiday 2026"},
        {DVD_Struct_Title, "ignored"},  {DVD_Channel_Audio, "ignored too"},
        {DVD_Title_Movie, "The Beach"}, {0x50, "Scene one"},  // a type with no name of its own
    };
    EXPECT_EQ(
        "Struct_Volume \n"
        "General_name Holiday 2026\n"
        "Struct_Title \n"
        "Audio Channel \n"
        "Title_Movie The Beach\n"
        "Unknown Scene one\n",
        TextInfoReport(entries));
    EXPECT_EQ("", TextInfoReport({}));
    EXPECT_STREQ("Stream_Sub-picture", TextStringTypeName(0x11));
    EXPECT_STREQ("Title_Orig_Other", TextStringTypeName(0x4F));
    EXPECT_STREQ("Unknown", TextStringTypeName(0));
}

TEST(KaraokeContentNames, TheLowestContentBitNamesTheChannel) {
    EXPECT_STREQ("GuideVocal1", KaraokeContentName(0x01 | 0x80));
    EXPECT_STREQ("GuideMelodyA", KaraokeContentName(0x10 | 0x20));
    EXPECT_STREQ("SoundEffectB", KaraokeContentName(0x80));
    EXPECT_STREQ("Unknown", KaraokeContentName(0));
    EXPECT_STREQ("Unknown", KaraokeContentName(0xFF00));  // only the low eight bits carry contents
}

}  // namespace
