// The DVD engine's popup menu and what its entries and the main window's DVD commands lead to:
// stream choices, the dialogs, the bookmark, the disc-information boxes, the overlay's
// brightness and the region change after a region refusal.
#include <windows.h>

#include <string>
#include <vector>

#include "Commands.h"
#include "DvdBookmark.h"
#include "DvdDialogs.h"
#include "DvdMenu.h"
#include "DvdOutput.h"
#include "DvdPlayer.h"
#include "DvdReports.h"
#include "GraphFilters.h"
#include "VideoWindow.h"
#include "DvdStreams.h"
#include "DvdTexts.h"

namespace {

constexpr char kReportErrorCaption[] = "Error!";
constexpr char kParentalDuringPlayback[] =
    "Can't change parental control level during playback. Please stop (twice) first.";
constexpr ULONG kTextCharacters = 1024;
constexpr int kReportLanguageLength = 100;

}  // namespace

// ---- The popup menu and its entries ---------------------------------------------------------

void DvdPlayer::ShowContextMenu(int x, int y) {
    DvdMenuSource source;
    source.dvdInfo = dvdInfo.Get();
    source.graphBuilder = graphBuilder.Get();
    source.state = state;
    source.captionsOn = captionsOn;
    source.fullScreen = fullScreen;
    source.currentTitle = currentTitle;
    source.currentChapter = currentChapter;
    POINT screen = ContextMenuScreenPoint(videoWindow, x, y, fullScreen, fitFullScreen, videoRenderer.Get());
    ModalScope modal(modalGuard);
    TrackContextMenu(instance, videoWindow, screen, source, subpictureShown, filterNames);
}

bool DvdPlayer::OnMenuCommand(UINT id) {
    DvdMenuTarget target = DecodeDvdMenuCommand(id);
    switch (target.entry) {
        case DvdMenuEntry::Subpicture:
            SelectSubpicture(target.index);
            return true;
        case DvdMenuEntry::Audio:
            SelectAudio(target.index);
            return true;
        case DvdMenuEntry::Title:
            PlayChapterInTitle(target.index, 1);
            return true;
        case DvdMenuEntry::Chapter:
            PlayChapter(target.index);
            return true;
        case DvdMenuEntry::Filter:
            ShowFilterPropertyPage(filterNames[target.index]);
            return true;
        case DvdMenuEntry::None:
            break;
    }
    switch (id) {
        case ID_SUBPICTURE_DISABLE:
            DisableSubpicture();
            return true;
        case ID_BOOKMARK_SAVE:
            SaveBookmark();
            return true;
        case ID_BOOKMARK_RESTORE:
            RestoreBookmark();
            return true;
        case ID_INFO_TEXT:
            ShowTextInfo();
            return true;
        case ID_INFO_AUDIO:
            ShowAudioAttributes();
            return true;
        case ID_INFO_VIDEO:
            ShowVideoAttributes();
            return true;
        case ID_INFO_SUBPICTURE:
            ShowSubpictureAttributes();
            return true;
        case ID_OPTIONS_COLOUR:
            SetFullBrightness();
            return true;
    }
    return ShowDvdDialog(id);
}

bool DvdPlayer::SelectSubpicture(ULONG stream) {
    if (!dvdControl || FAILED(dvdControl->SetSubpictureState(TRUE, DVD_CMD_FLAG_None, nullptr))) return false;
    subpictureShown = TRUE;
    // Shown, but the stream may still be refused (one the disc does not have): the display
    // stays on with the stream the navigator had.
    return SUCCEEDED(dvdControl->SelectSubpictureStream(stream, DVD_CMD_FLAG_None, nullptr));
}

bool DvdPlayer::SelectAudio(ULONG stream) {
    return dvdControl && SUCCEEDED(dvdControl->SelectAudioStream(stream, DVD_CMD_FLAG_None, nullptr));
}

bool DvdPlayer::DisableSubpicture() {
    if (!dvdControl || FAILED(dvdControl->SetSubpictureState(FALSE, DVD_CMD_FLAG_None, nullptr)))
        return false;
    subpictureShown = FALSE;
    return true;
}

void DvdPlayer::ShowFilterPropertyPage(const char* name) {
    ::ShowFilterPropertyPage(graphBuilder.Get(), videoWindow, name, modalGuard);
}

// ---- Bookmark -------------------------------------------------------------------------------

BookmarkFiles DvdPlayer::Bookmarks() const {
    return BookmarkFilesIn(mainWindow ? mainWindow->DataFolder() : std::string());
}

bool DvdPlayer::SaveBookmark() {
    return ::SaveBookmark(dvdInfo.Get(), Bookmarks().write.c_str());
}

// The first bookmark file there is counts. A missing bookmark or one of another disc leaves
// playback as it was without a word; a file that is no bookmark at all is worth telling once.
bool DvdPlayer::RestoreBookmark() {
    for (const std::string& path : Bookmarks().read) {
        switch (::RestoreBookmark(dvdControl.Get(), path.c_str())) {
            case BookmarkRestore::Missing:
                continue;
            case BookmarkRestore::Restored:
                return true;
            case BookmarkRestore::Unreadable:
                Message(videoWindow, dvdtext::kBadBookmark, dvdtext::kErrorCaption, MB_OK | MB_ICONINFORMATION);
                return false;
            case BookmarkRestore::Refused:
                return false;
        }
    }
    return false;
}

// ---- Disc information -----------------------------------------------------------------------

bool DvdPlayer::ShowTextInfo() {
    if (!dvdInfo) return false;
    ULONG languages = 0;
    if (FAILED(dvdInfo->GetDVDTextNumberOfLanguages(&languages)) || languages == 0) {
        Message(videoWindow, "There is no text on this disc", "No Text Present", MB_OK);
        return false;
    }
    ULONG strings = 0;
    LCID language = 0;
    DVD_TextCharSet charSet = DVD_CharSet_Unicode;
    if (FAILED(dvdInfo->GetDVDTextLanguageInfo(0, &strings, &language, &charSet))) {
        Message(videoWindow, "There was an error getting the number of Strings", kReportErrorCaption, MB_OK);
        return false;
    }
    std::vector<DvdTextEntry> entries;
    for (ULONG i = 0; i < strings; ++i) {
        WCHAR text[kTextCharacters] = {};
        ULONG size = 0;
        DVD_TextStringType type = DVD_Struct_Volume;
        if (FAILED(dvdInfo->GetDVDTextStringAsUnicode(0, i, text, kTextCharacters, &size, &type))) continue;
        text[kTextCharacters - 1] = L'\0';
        char ansi[kTextCharacters] = {};
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof(ansi) - 1, nullptr, nullptr);
        entries.push_back({static_cast<int>(type), ansi});
    }
    Message(videoWindow, TextInfoReport(entries).c_str(), "Dvd Text Info", MB_OK);
    return true;
}

bool DvdPlayer::ShowAudioAttributes() {
    if (!dvdInfo) return false;
    DVD_AudioAttributes audio{};
    if (FAILED(dvdInfo->GetAudioAttributes(DVD_STREAM_DATA_CURRENT, &audio))) {
        Message(videoWindow, "GetAudioAttributes Failed", kReportErrorCaption, MB_OK);
        return false;
    }
    DVD_KaraokeAttributes karaoke{};
    bool haveKaraoke = false;
    bool contentsKnown = false;
    if (audio.AppMode == DVD_AudioMode_Karaoke) {
        HRESULT hr = dvdInfo->GetKaraokeAttributes(DVD_STREAM_DATA_CURRENT, &karaoke);
        haveKaraoke = SUCCEEDED(hr);
        contentsKnown = hr != VFW_S_DVD_CHANNEL_CONTENTS_NOT_AVAILABLE;
    }
    std::string report = AudioAttributesReport(audio, haveKaraoke ? &karaoke : nullptr, contentsKnown);
    Message(videoWindow, report.c_str(), "Audio Attributes", MB_OK);
    return true;
}

bool DvdPlayer::ShowVideoAttributes() {
    if (!dvdInfo) return false;
    DVD_VideoAttributes video{};
    if (FAILED(dvdInfo->GetCurrentVideoAttributes(&video))) {
        Message(videoWindow, "GetCurrentVideoAttributes Failed", kReportErrorCaption, MB_OK);
        return false;
    }
    Message(videoWindow, VideoAttributesReport(video).c_str(), "Video Attributes", MB_OK);
    return true;
}

bool DvdPlayer::ShowSubpictureAttributes() {
    if (!dvdInfo) return false;
    DVD_SubpictureAttributes subpicture{};
    if (FAILED(dvdInfo->GetSubpictureAttributes(DVD_STREAM_DATA_CURRENT, &subpicture))) {
        Message(videoWindow, "GetSubpictureAttributes Failed", kReportErrorCaption, MB_OK);
        return false;
    }
    // Locale 0 would be read as the user's own language, which says nothing about the stream.
    char language[kReportLanguageLength + 1] = {};
    bool named = subpicture.Language != 0 &&
                 ::GetLocaleInfoA(subpicture.Language, LOCALE_SLANGUAGE, language, kReportLanguageLength) > 0;
    std::string report = SubpictureAttributesReport(subpicture, named ? language : nullptr);
    // The subpicture box shares the video box's caption.
    Message(videoWindow, report.c_str(), "Video Attributes", MB_OK);
    return true;
}

// ---- Output ---------------------------------------------------------------------------------

HRESULT DvdPlayer::SetFullBrightness() {
    if (!basicAudio) return S_OK;  // no graph built
    ModalScope modal(modalGuard);
    return ::SetFullBrightness(dvdGraphBuilder.Get());
}

bool DvdPlayer::ChangeRegion() {
    char drive = 0;
    if (!GetRegionDrive(dvdInfo.Get(), drive)) return false;
    bool changed = false;
    {
        ModalScope modal(modalGuard);
        changed = RunRegionTool(videoWindow, drive);
    }
    if (!changed) return false;
    RestartNavigator(mediaControl.Get(), dvdControl.Get());
    return true;
}

// ---- Dialogs --------------------------------------------------------------------------------

namespace {

bool IsDialogCommand(UINT command) {
    switch (command) {
        case ID_OPTIONS_SUBPICTURE:
        case ID_OPTIONS_AUDIO:
        case ID_OPTIONS_ANGLE:
        case ID_PLAY_CHAPTER:
        case ID_PLAY_CHAPTERINTITLE:
        case ID_PLAY_ATTIME:
        case ID_OPTIONS_KARAOKE:
        case ID_OPTIONS_PARENTAL:
            return true;
    }
    return false;
}

}  // namespace

bool DvdPlayer::ShowDvdDialog(UINT command) {
    if (!IsDialogCommand(command)) return false;
    DvdDialogSource source{dvdInfo.Get(), dvdControl.Get(), state != DvdPlayerState::Uninitialized};
    ModalScope modal(modalGuard);
    switch (command) {
        case ID_OPTIONS_SUBPICTURE:
            DvdStreamDialog(DvdStreamDialog::Kind::Subpicture, instance, notifyWindow, source).Show();
            return true;
        case ID_OPTIONS_AUDIO:
            DvdStreamDialog(DvdStreamDialog::Kind::Audio, instance, notifyWindow, source).Show();
            return true;
        case ID_OPTIONS_ANGLE:
            DvdStreamDialog(DvdStreamDialog::Kind::Angle, instance, notifyWindow, source).Show();
            return true;
        case ID_PLAY_CHAPTER: {
            DvdChapterDialog dialog(false, instance, notifyWindow);
            if (dialog.Show()) PlayChapter(dialog.chapter);
            return true;
        }
        case ID_PLAY_CHAPTERINTITLE: {
            DvdChapterDialog dialog(true, instance, notifyWindow);
            if (dialog.Show()) PlayChapterInTitle(dialog.title, dialog.chapter);
            return true;
        }
        case ID_PLAY_ATTIME: {
            DvdTimeDialog dialog(instance, notifyWindow, GetCurrentTimeCode());
            if (!dialog.Show()) return true;
            DvdTimeCode target = dialog.time;
            target.frames = currentTime.frames;
            PlayAtTime(target);
            return true;
        }
        case ID_OPTIONS_KARAOKE:
            RunKaraokeMixing(instance, notifyWindow, dvdInfo.Get(), dvdControl.Get());
            return true;
        case ID_OPTIONS_PARENTAL: {
            if (state != DvdPlayerState::Stopped && state != DvdPlayerState::NavigatorStopped) {
                ::MessageBoxA(notifyWindow, kParentalDuringPlayback, "Error", MB_ICONINFORMATION);
                return true;
            }
            DvdParentalDialog dialog(instance, notifyWindow, GetParentalLevel());
            if (dialog.Show()) ApplyParentalLevel(dialog.level);
            return true;
        }
    }
    return false;
}

bool DvdPlayer::ApplyParentalLevel(ULONG level) {
    if (!dvdControl) return false;
    if (state != DvdPlayerState::Stopped) {
        if (!mediaControl) return false;
        dvdControl->SetOption(DVD_ResetOnStop, TRUE);
        HRESULT hr = mediaControl->Stop();
        dvdControl->SetOption(DVD_ResetOnStop, FALSE);
        if (FAILED(hr)) return false;
        state = DvdPlayerState::Stopped;
    }
    return SUCCEEDED(dvdControl->SelectParentalLevel(level));
}
