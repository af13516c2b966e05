#include "DvdAttributes.h"

#include <cstring>

#include "Languages.h"

namespace navigator {

DVD_AUDIO_FORMAT AudioFormat(uint8_t coding) {
    switch (coding) {
        case 0:
            return DVD_AudioFormat_AC3;
        case 2:
            return DVD_AudioFormat_MPEG1;
        case 3:
            return DVD_AudioFormat_MPEG2;
        case 4:
            return DVD_AudioFormat_LPCM;
        case 6:
            return DVD_AudioFormat_DTS;
        case 7:
            return DVD_AudioFormat_SDDS;
    }
    return DVD_AudioFormat_Other;
}

void FillVideoAttributes(const VideoAttributes& v, DVD_VideoAttributes& a) {
    std::memset(&a, 0, sizeof a);
    // The IFO says what is forbidden: bit 0 letterbox, bit 1 pan-scan (for 16:9 pictures).
    a.fPanscanPermitted = !(v.permittedDisplay & 1);
    a.fLetterboxPermitted = !(v.permittedDisplay & 2);
    a.ulAspectX = v.aspect == 3 ? 16 : 4;
    a.ulAspectY = v.aspect == 3 ? 9 : 3;
    a.ulFrameRate = v.pal ? 50 : 60;
    a.ulFrameHeight = v.pal ? 576 : 480;
    a.Compression = v.mpegVersion == 0 ? DVD_VideoCompression_MPEG1 : DVD_VideoCompression_MPEG2;
    a.fLine21Field1InGOP = v.line21Field1;
    a.fLine21Field2InGOP = v.line21Field2;
    static const ULONG widths[] = {720, 704, 352, 352};
    a.ulSourceResolutionX = widths[v.pictureSize & 3];
    a.ulSourceResolutionY = (v.pictureSize & 3) == 3 ? a.ulFrameHeight / 2 : a.ulFrameHeight;
    a.fIsSourceLetterboxed = v.letterboxed;
    a.fIsFilmMode = v.film;
}

void FillAudioAttributes(const AudioAttributes& from, DVD_AudioAttributes& a) {
    std::memset(&a, 0, sizeof a);
    a.AppMode = from.appMode <= 2 ? static_cast<DVD_AUDIO_APPMODE>(from.appMode) : DVD_AudioMode_Other;
    a.AppModeData = static_cast<BYTE>(from.karaokeAssignment << 4 | from.karaokeVersion << 2 |
                                      (from.karaokeMcIntro ? 2 : 0) | (from.karaokeDuet ? 1 : 0));
    a.AudioFormat = AudioFormat(from.coding);
    a.Language = LcidFromLanguageCode(from.language);
    a.LanguageExtension = static_cast<DVD_AUDIO_LANG_EXT>(from.extension <= 4 ? from.extension : 0);
    a.fHasMultichannelInfo = from.multichannel;
    a.dwFrequency = from.sampleRate == 1 ? 96000 : 48000;
    a.bQuantization = static_cast<BYTE>(from.quantization == 0 ? 16 : from.quantization == 1 ? 20 : 24);
    a.bNumberOfChannels = from.channels;
}

void FillSubpictureAttributes(const SubpictureAttributes& from, DVD_SubpictureAttributes& a) {
    std::memset(&a, 0, sizeof a);
    a.Type = from.type == 1   ? DVD_SPType_Language
             : from.type == 0 ? DVD_SPType_NotSpecified
                              : DVD_SPType_Other;
    a.CodingMode = from.coding == 0   ? DVD_SPCoding_RunLength
                   : from.coding == 1 ? DVD_SPCoding_Extended
                                      : DVD_SPCoding_Other;
    a.Language = LcidFromLanguageCode(from.language);
    a.LanguageExtension = static_cast<DVD_SUBPICTURE_LANG_EXT>(from.extension <= 15 ? from.extension : 0);
}

void FillKaraokeAttributes(const AudioAttributes& from, DVD_KaraokeAttributes& a) {
    std::memset(&a, 0, sizeof a);
    a.bVersion = from.karaokeVersion;
    a.fMasterOfCeremoniesInGuideVocal1 = from.karaokeMcIntro;
    a.fDuet = from.karaokeDuet;
    a.ChannelAssignment = static_cast<DVD_KARAOKE_ASSIGNMENT>(from.karaokeAssignment & 7);
}

void FillMenuAttributes(const VideoAttributes& video, const std::vector<AudioAttributes>& audio,
                        const std::vector<SubpictureAttributes>& subpictures, uint32_t regionMask,
                        DVD_MenuAttributes& to) {
    std::memset(&to, 0, sizeof to);
    for (int r = 0; r < 8; ++r)
        to.fCompatibleRegion[r] = (regionMask & (1u << r)) == 0;
    FillVideoAttributes(video, to.VideoAttributes);
    to.fAudioPresent = !audio.empty();
    if (!audio.empty()) FillAudioAttributes(audio[0], to.AudioAttributes);
    to.fSubpicturePresent = !subpictures.empty();
    if (!subpictures.empty()) FillSubpictureAttributes(subpictures[0], to.SubpictureAttributes);
}

void FillTitleAttributes(const TitleSetAttributes& set, DVD_TitleAttributes& to) {
    std::memset(&to, 0, sizeof to);
    FillVideoAttributes(set.video, to.VideoAttributes);
    to.ulNumberOfAudioStreams = static_cast<ULONG>(set.audio.size() < 8 ? set.audio.size() : 8);
    for (ULONG i = 0; i < to.ulNumberOfAudioStreams; ++i) {
        FillAudioAttributes(set.audio[i], to.AudioAttributes[i]);
        if (set.audio[i].appMode == 1) to.AppMode = DVD_AppMode_Karaoke;
    }
    to.ulNumberOfSubpictureStreams =
        static_cast<ULONG>(set.subpictures.size() < 32 ? set.subpictures.size() : 32);
    for (ULONG i = 0; i < to.ulNumberOfSubpictureStreams; ++i)
        FillSubpictureAttributes(set.subpictures[i], to.SubpictureAttributes[i]);
}

}  // namespace navigator
