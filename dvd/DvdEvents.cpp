// The navigator's events: domain, title, chapter and time tracking, stills, errors, warnings,
// the parental-level question and discs without a first-play program.
#include "DvdPlayer.h"

#include <dvdevcod.h>

#include "DvdTexts.h"
#include "Messages.h"

LRESULT DvdPlayer::ProcessGraphEvents() {
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    // A message box below may let a close through; the owner waits for it (InModalLoop), so
    // the interfaces stay valid, but the queue may be gone once the graph has been released.
    while (mediaEvent && SUCCEEDED(mediaEvent->GetEvent(&code, &param1, &param2, 0))) {
        OnGraphEvent(code, param1, param2);
        if (mediaEvent) mediaEvent->FreeEventParams(code, param1, param2);
    }
    return 0;
}

void DvdPlayer::OnGraphEvent(long code, LONG_PTR param1, LONG_PTR) {
    switch (code) {
        case EC_DVD_DOMAIN_CHANGE:
            if (param1 == DVD_DOMAIN_VideoManagerMenu || param1 == DVD_DOMAIN_VideoTitleSetMenu) {
                inMenu = true;
            } else if (param1 == DVD_DOMAIN_Title) {
                inMenu = false;
            }
            break;
        case EC_DVD_TITLE_CHANGE:
            currentTitle = static_cast<ULONG>(param1);
            break;
        case EC_DVD_CHAPTER_START:
            currentChapter = static_cast<ULONG>(param1);
            break;
        case EC_DVD_STILL_ON:
            if (param1 == 1) stillOn = true;
            break;
        case EC_DVD_STILL_OFF:
            stillOn = false;
            break;
        case EC_DVD_ERROR:
            OnNavigatorError(static_cast<long>(param1));
            break;
        case EC_DVD_WARNING:
            if (param1 == DVD_WARNING_Open)
                Message(videoWindow, dvdtext::kOpenWarning, dvdtext::kWarningCaption, MB_ICONINFORMATION);
            break;
        case EC_DVD_NO_FP_PGC:
            if (dvdControl) dvdControl->PlayTitle(1, DVD_CMD_FLAG_None, nullptr);
            break;
        case EC_DVD_PARENTAL_LEVEL_CHANGE: {
            int answer = Message(videoWindow, dvdtext::kParentalQuestion, dvdtext::kParentalCaption, MB_YESNO);
            if (dvdControl) dvdControl->AcceptParentalLevelChange(answer == IDYES);
            break;
        }
        case EC_DVD_CURRENT_HMSF_TIME: {
            // The time code travels in the parameter's four bytes: hours first.
            DWORD packed = static_cast<DWORD>(param1);
            currentTime.hours = static_cast<uint8_t>(packed & 0xFF);
            currentTime.minutes = static_cast<uint8_t>((packed >> 8) & 0xFF);
            currentTime.seconds = static_cast<uint8_t>((packed >> 16) & 0xFF);
            currentTime.frames = static_cast<uint8_t>((packed >> 24) & 0xFF);
            ::PostMessageA(notifyWindow, WM_POSITIONUPDATE, 0, 0);
            break;
        }
    }
}

void DvdPlayer::OnNavigatorError(long code) {
    const char* text = dvdtext::NavigatorErrorText(code);
    if (!text) return;  // not one of the navigator's errors: playback goes on
    Message(videoWindow, text, dvdtext::kErrorCaption, MB_ICONINFORMATION);
    if (mediaControl) mediaControl->Stop();
    if (code == DVD_ERROR_InvalidDiscRegion) ChangeRegion();
}
