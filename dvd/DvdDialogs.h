// The DVD dialogs: streams and angle (which act on the navigator before they close), the jump
// targets (chapter, chapter in title, time, handed back to the caller), karaoke mixing and the
// parental level. Each object lives for one command and is shown modally.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

#include "Dialog.h"
#include "DvdMath.h"

// A number typed into a dialog: its leading digits (at most 10 characters are looked at); 0 when
// it starts with anything else; numbers beyond the 32-bit range read as the largest one.
unsigned LeadingNumber(const char* text);
// The same kept to what a byte of a time code holds, so an impossible time stays impossible
// instead of wrapping round to a possible one.
uint8_t LeadingTimeField(const char* text);

// What the stream and angle dialogs need of the engine.
struct DvdDialogSource {
    IDvdInfo2* dvdInfo = nullptr;
    IDvdControl2* dvdControl = nullptr;
    bool built = false;  // the engine has a graph
};

class DvdStreamDialog : public fw::Dialog {
public:
    enum class Kind { Subpicture, Audio, Angle };
    DvdStreamDialog(Kind kind, HINSTANCE instance, HWND owner, const DvdDialogSource& source);
    // True when the dialog ended with OK (the choice is then applied). A dialog with nothing to
    // choose from ends before it is seen.
    bool Show();
    ULONG Count() const { return mCount; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { EndDialog(0); }

private:
    ULONG FillStreams();
    ULONG FillAngles();
    HWND List() const;

    Kind mKind;
    DvdDialogSource mSource;
    ULONG mCount = 0;
    bool mShown = true;
};

// Play Chapter (126) and Play Chapter In Title (127).
class DvdChapterDialog : public fw::Dialog {
public:
    DvdChapterDialog(bool withTitle, HINSTANCE instance, HWND owner);
    bool Show() { return DoModal() == 1; }
    ULONG title = 1;
    ULONG chapter = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { EndDialog(0); }

private:
    bool mWithTitle;
};

// Play at Specified Time (128): opens at `time`; OK leaves the typed hours, minutes and seconds
// there (the frames as they were).
class DvdTimeDialog : public fw::Dialog {
public:
    DvdTimeDialog(HINSTANCE instance, HWND owner, DvdTimeCode start);
    bool Show() { return DoModal() == 1; }
    DvdTimeCode time;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { EndDialog(0); }
};

// Karaoke Mixing (129) as one operation: checks that the current audio stream is a karaoke
// stream, shows the three channels named by their contents, and applies the mix chosen. The
// failures are reported in boxes; false unless a mix was applied.
bool RunKaraokeMixing(HINSTANCE instance, HWND owner, IDvdInfo2* dvdInfo, IDvdControl2* dvdControl);
// The mix flags for the three check boxes of channels 2, 3 and 4.
ULONG KaraokeMixFlags(bool channel2, bool channel3, bool channel4);

// Parental Levels (120): the ratings a user knows, with the player level each stands for.
struct ParentalRating {
    const char* name;
    ULONG level;
};
const ParentalRating* ParentalRatings(size_t& count);

class DvdParentalDialog : public fw::Dialog {
public:
    // current: the navigator's level, selected at the start when it is one of the ratings.
    DvdParentalDialog(HINSTANCE instance, HWND owner, ULONG current);
    // True when OK was pressed with a rating selected; `level` is then its level.
    bool Show();
    ULONG level = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { EndDialog(1); }

private:
    ULONG mCurrent;
    bool mChosen = false;
};
