// The IFO's attributes as the navigator's interfaces report them: DirectShow's attribute records
// from DiscFacts.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "DiscInfo.h"

namespace navigator {

DVD_AUDIO_FORMAT AudioFormat(uint8_t ifoCoding);
void FillVideoAttributes(const VideoAttributes& from, DVD_VideoAttributes& to);
void FillAudioAttributes(const AudioAttributes& from, DVD_AudioAttributes& to);
void FillSubpictureAttributes(const SubpictureAttributes& from, DVD_SubpictureAttributes& to);
void FillKaraokeAttributes(const AudioAttributes& from, DVD_KaraokeAttributes& to);
// A title set's menu and title attributes; `regionMask` is the regions the disc refuses.
void FillMenuAttributes(const VideoAttributes& video, const std::vector<AudioAttributes>& audio,
                        const std::vector<SubpictureAttributes>& subpictures, uint32_t regionMask,
                        DVD_MenuAttributes& to);
void FillTitleAttributes(const TitleSetAttributes& set, DVD_TitleAttributes& to);

}  // namespace navigator
