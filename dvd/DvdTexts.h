// The words the DVD engine shows the user: build failures, navigator errors and questions.
#pragma once

namespace dvdtext {

inline constexpr char kDvdErrorCaption[] = "DVD Error!";
inline constexpr char kNoDecoderCaption[] =
    "Can't play the DVD, please install the third party DVD decoder.";
inline constexpr char kNoDecoderText[] =
    "The program could not locate a DVD decoder on your system.\r\n\r\n"
    "You must install a third-party DirectShow-compatible MPEG-2 decoder,\r\n"
    "either software or hardware-based. The program does not supply an MPEG2\r\n"
    "decoder with DirectShow or as an operating system component.\r\n\r\n"
    "Please installa DVD decoder on your system.\r\n\r\n"
    "The Tesmaro Player will now exit.";
inline constexpr char kRenderFailedCaption[] = "RenderDvdVideoVolume Failed!";
inline constexpr char kNoVolumeText[] = "There is no DVD-Video volume here that can be played.";
inline constexpr char kUnknownError[] = "An unknown error has occurred";
inline constexpr char kContinueQuestion[] = "\n\nDo you still want to continue?";
inline constexpr char kWarningCaption[] = "Warning";
inline constexpr char kOlderNavigator[] =
    "This version of the application cannot run using\nthe current DirectShow components. \n";
inline constexpr char kNoInfo[] = "Cannot get the IDvdInfo/IDvdInfo2 interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoControl[] =
    "Cannot get the IDvdControl/IDvdControl2 interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoGraph[] = "Cannot get the IGraphBuilder interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoMediaControl[] =
    "Cannot get the IMediaControl interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoMediaEvent[] = "Cannot get the MediaEventEx interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoVideoWindow[] =
    "Cannot get the IVideoWindow interface.Sorry, can't play DVD-Video titles.";
inline constexpr char kNoBasicVideo[] = "Cannot get the IID_IBasicVideo interface.Sorry, can't play DVD Basic Video.";
inline constexpr char kNoBasicAudio[] = "Cannot get the IID_IBasicAudio interface.Sorry, can't play DVD Aideo.";
inline constexpr char kNoSeeking[] = "Cannot get the IID_IMediaSeeking interface.Sorry, can't play DVD Seeking.";
inline constexpr char kNoPosition[] =
    "Cannot get the IID_IMediaPosition interface.Sorry, can't locate DVD position.";

inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kBadBookmark[] =
    "The DVD bookmark cannot be restored: its file is damaged or holds no bookmark.";
inline constexpr char kOpenWarning[] = "A file on the DVD disc could not be opened. Playback may not continue.";
inline constexpr char kParentalQuestion[] = "Accept Parental Level Change Request?";
inline constexpr char kParentalCaption[] = "Accept Change?";

// The navigator's error codes 1..8, in order; nullptr for a code outside them.
const char* NavigatorErrorText(long code);

}  // namespace dvdtext
