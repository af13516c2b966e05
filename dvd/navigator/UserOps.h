// The disc's user-operation masks: bit n prohibits user operation n of DVD-Video, which is also
// bit n of DirectShow's VALID_UOP_FLAG, so the mask the disc sets is what GetCurrentUOPS and
// EC_DVD_VALID_UOPS_CHANGE report. Each navigator command names the operation it is.
#pragma once

#include <cstdint>

namespace navigator::uop {

inline constexpr uint32_t kTitleOrTimePlay = 1u << 0;  // PlayAtTimeInTitle, PlayTitle
inline constexpr uint32_t kChapterPlay = 1u << 1;      // PlayChapterInTitle
inline constexpr uint32_t kTitlePlay = 1u << 2;        // PlayTitle
inline constexpr uint32_t kStop = 1u << 3;
inline constexpr uint32_t kGoUp = 1u << 4;                 // ReturnFromSubmenu
inline constexpr uint32_t kTimeOrChapterSearch = 1u << 5;  // PlayAtTime, PlayChapter
inline constexpr uint32_t kPrevOrTopChapter = 1u << 6;     // PlayPrevChapter, ReplayChapter
inline constexpr uint32_t kNextChapter = 1u << 7;
inline constexpr uint32_t kForwardScan = 1u << 8;
inline constexpr uint32_t kBackwardScan = 1u << 9;
inline constexpr uint32_t kTitleMenu = 1u << 10;
inline constexpr uint32_t kRootMenu = 1u << 11;
inline constexpr uint32_t kSubpictureMenu = 1u << 12;
inline constexpr uint32_t kAudioMenu = 1u << 13;
inline constexpr uint32_t kAngleMenu = 1u << 14;
inline constexpr uint32_t kChapterMenu = 1u << 15;
inline constexpr uint32_t kResume = 1u << 16;
inline constexpr uint32_t kButton = 1u << 17;  // select or activate
inline constexpr uint32_t kStillOff = 1u << 18;
inline constexpr uint32_t kPauseOn = 1u << 19;
inline constexpr uint32_t kAudioStream = 1u << 20;
inline constexpr uint32_t kSubpictureStream = 1u << 21;
inline constexpr uint32_t kAngle = 1u << 22;
inline constexpr uint32_t kKaraokeMode = 1u << 23;
inline constexpr uint32_t kVideoMode = 1u << 24;
inline constexpr uint32_t kAll = (1u << 25) - 1;

// The operation that calls a menu, by DVD_MENU_ID (2 title, 3 root, 4 subpicture, 5 audio,
// 6 angle, 7 chapter); 0 for any other value.
uint32_t MenuCall(int menuId);

// True when the disc prohibits any of `operations` now.
inline bool Prohibited(uint32_t prohibitedMask, uint32_t operations) {
    return (prohibitedMask & operations) != 0;
}

}  // namespace navigator::uop
