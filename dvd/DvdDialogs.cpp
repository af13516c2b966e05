#include "DvdDialogs.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <vector>

#include "DvdMenuIds.h"
#include "DvdReports.h"
#include "DvdStreams.h"
#include "resource.h"

namespace {

constexpr char kNoLanguages[] = "Not ready to find language information";
constexpr char kNoAngles[] = "Not ready to find angle information";
constexpr char kWarningCaption[] = "Warning";
constexpr char kErrorCaption[] = "Error!";
constexpr int kTypedCharacters = 10;
// A title has at most nine camera angles.
constexpr ULONG kMaxAngles = 9;

constexpr ParentalRating kRatings[] = {
    {" G ", 1}, {" PG ", 3}, {" PG-13 ", 4}, {" R ", 6}, {" NC-17 ", 7}, {" Not Rated ", 8},
};

void AddUpDown(HWND dialog, int editId, int lower, int upper, int position) {
    ::CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 0, 0,
                          dialog, IDC_DVD_SPIN,
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                          ::GetDlgItem(dialog, editId), upper, lower, position);
}

void SetNumber(HWND dialog, int editId, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%u", value);
    ::SetDlgItemTextA(dialog, editId, text);
}

std::string ReadTyped(HWND dialog, int editId) {
    char text[kTypedCharacters + 1] = {};
    ::GetDlgItemTextA(dialog, editId, text, sizeof(text));
    return text;
}

}  // namespace

unsigned LeadingNumber(const char* text) {
    if (!text) return 0;
    unsigned long long value = 0;
    for (int i = 0; i < kTypedCharacters && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<unsigned>(value);
}

uint8_t LeadingTimeField(const char* text) {
    unsigned value = LeadingNumber(text);
    return static_cast<uint8_t>(value > 0xFF ? 0xFF : value);
}

// ---- Streams and angles -------------------------------------------------------------------

namespace {

UINT TemplateOf(DvdStreamDialog::Kind kind) {
    switch (kind) {
        case DvdStreamDialog::Kind::Subpicture:
            return IDD_DVD_SUBPICTURE;
        case DvdStreamDialog::Kind::Audio:
            return IDD_DVD_AUDIO;
        case DvdStreamDialog::Kind::Angle:
            return IDD_DVD_ANGLE;
    }
    return IDD_DVD_ANGLE;
}

int ListOf(DvdStreamDialog::Kind kind) {
    switch (kind) {
        case DvdStreamDialog::Kind::Subpicture:
            return IDC_DVD_SUBPICTURES;
        case DvdStreamDialog::Kind::Audio:
            return IDC_DVD_AUDIOSTREAMS;
        case DvdStreamDialog::Kind::Angle:
            return IDC_DVD_ANGLES;
    }
    return IDC_DVD_ANGLES;
}

}  // namespace

DvdStreamDialog::DvdStreamDialog(Kind kind, HINSTANCE instance, HWND owner, const DvdDialogSource& source)
    : fw::Dialog(TemplateOf(kind), owner, instance), mKind(kind), mSource(source) {}

bool DvdStreamDialog::Show() {
    return DoModal() == 1;
}

HWND DvdStreamDialog::List() const {
    return Item(ListOf(mKind));
}

BOOL DvdStreamDialog::OnInitDialog() {
    ::SendMessageA(List(), CB_RESETCONTENT, 0, 0);
    ULONG filled = mKind == Kind::Angle ? FillAngles() : FillStreams();
    // One angle leaves nothing to choose.
    ULONG needed = mKind == Kind::Angle ? 2 : 1;
    if (filled < needed) EndDialog(0);
    return TRUE;
}

ULONG DvdStreamDialog::FillStreams() {
    if (!mSource.built) return 0;
    bool subpicture = mKind == Kind::Subpicture;
    DvdStreamList streams =
        subpicture ? ReadSubpictureStreams(mSource.dvdInfo) : ReadAudioStreams(mSource.dvdInfo);
    if (!streams.known) {
        ::MessageBoxA(nullptr, kNoLanguages, kWarningCaption, MB_OK);
        return 0;
    }
    ULONG listed = ListedCount(streams.count, subpicture ? kMaxSubpictureStreams : kMaxAudioStreams);
    if (streams.names.size() < listed) return 0;  // the navigator failed a language query
    for (const std::string& name : streams.names) {
        ::SendMessageA(List(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    if (listed > 0) ::SendMessageA(List(), CB_SETCURSEL, streams.current, 0);
    mShown = !streams.disabled;
    if (subpicture) ::CheckDlgButton(Hwnd(), IDC_DVD_SHOWSUBPICTURE, mShown ? BST_CHECKED : BST_UNCHECKED);
    mCount = listed;
    return listed;
}

ULONG DvdStreamDialog::FillAngles() {
    if (!mSource.built || !mSource.dvdInfo) return 0;
    ULONG count = 0, current = 0;
    if (FAILED(mSource.dvdInfo->GetCurrentAngle(&count, &current))) {
        ::MessageBoxA(nullptr, kNoAngles, kWarningCaption, MB_OK);
        return 0;
    }
    count = ListedCount(count, kMaxAngles);
    char text[32];
    for (ULONG angle = 1; angle <= count; ++angle) {
        std::snprintf(text, sizeof(text), "Angle %u", static_cast<unsigned>(angle));
        ::SendMessageA(List(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (count > 0) ::SendMessageA(List(), CB_SETCURSEL, current - 1, 0);
    mCount = count;
    return count;
}

void DvdStreamDialog::OnOK() {
    LRESULT selection = ::SendMessageA(List(), CB_GETCURSEL, 0, 0);
    IDvdControl2* control = mSource.dvdControl;
    if (control) {
        switch (mKind) {
            case Kind::Subpicture:
                control->SetSubpictureState(
                    ::IsDlgButtonChecked(Hwnd(), IDC_DVD_SHOWSUBPICTURE) == BST_CHECKED, DVD_CMD_FLAG_None,
                    nullptr);
                if (selection != CB_ERR)
                    control->SelectSubpictureStream(static_cast<ULONG>(selection), DVD_CMD_FLAG_None,
                                                    nullptr);
                break;
            case Kind::Audio:
                if (selection != CB_ERR)
                    control->SelectAudioStream(static_cast<ULONG>(selection), DVD_CMD_FLAG_None, nullptr);
                break;
            case Kind::Angle:
                if (selection != CB_ERR)
                    control->SelectAngle(static_cast<ULONG>(selection) + 1, DVD_CMD_FLAG_None, nullptr);
                break;
        }
    }
    EndDialog(1);
}

// ---- Jumps ----------------------------------------------------------------------------------

DvdChapterDialog::DvdChapterDialog(bool withTitle, HINSTANCE instance, HWND owner)
    : fw::Dialog(withTitle ? IDD_DVD_CHAPTERINTITLE : IDD_DVD_CHAPTER, owner, instance),
      mWithTitle(withTitle) {}

BOOL DvdChapterDialog::OnInitDialog() {
    SetNumber(Hwnd(), IDC_DVD_CHAPTER, chapter);
    AddUpDown(Hwnd(), IDC_DVD_CHAPTER, 1, static_cast<int>(kMaxChapters), 1);
    if (mWithTitle) {
        SetNumber(Hwnd(), IDC_DVD_TITLE, title);
        AddUpDown(Hwnd(), IDC_DVD_TITLE, 1, static_cast<int>(kMaxTitles), 1);
    }
    return TRUE;
}

void DvdChapterDialog::OnOK() {
    chapter = LeadingNumber(ReadTyped(Hwnd(), IDC_DVD_CHAPTER).c_str());
    if (mWithTitle) title = LeadingNumber(ReadTyped(Hwnd(), IDC_DVD_TITLE).c_str());
    EndDialog(1);
}

DvdTimeDialog::DvdTimeDialog(HINSTANCE instance, HWND owner, DvdTimeCode start)
    : fw::Dialog(IDD_DVD_ATTIME, owner, instance), time(start) {}

BOOL DvdTimeDialog::OnInitDialog() {
    SetNumber(Hwnd(), IDC_DVD_HOURS, time.hours);
    SetNumber(Hwnd(), IDC_DVD_MINUTES, time.minutes);
    SetNumber(Hwnd(), IDC_DVD_SECONDS, time.seconds);
    AddUpDown(Hwnd(), IDC_DVD_HOURS, 0, 99, time.hours);
    AddUpDown(Hwnd(), IDC_DVD_MINUTES, 0, 60, time.minutes);
    AddUpDown(Hwnd(), IDC_DVD_SECONDS, 0, 60, time.seconds);
    return TRUE;
}

void DvdTimeDialog::OnOK() {
    time.hours = LeadingTimeField(ReadTyped(Hwnd(), IDC_DVD_HOURS).c_str());
    time.minutes = LeadingTimeField(ReadTyped(Hwnd(), IDC_DVD_MINUTES).c_str());
    time.seconds = LeadingTimeField(ReadTyped(Hwnd(), IDC_DVD_SECONDS).c_str());
    EndDialog(1);
}

// ---- Karaoke ----------------------------------------------------------------------------------

namespace {

class KaraokeDialog : public fw::Dialog {
public:
    KaraokeDialog(HINSTANCE instance, HWND owner, const DVD_KaraokeAttributes& karaoke)
        : fw::Dialog(IDD_DVD_KARAOKE, owner, instance), mKaraoke(karaoke) {}
    ULONG flags = 0;

protected:
    BOOL OnInitDialog() override {
        ::SetDlgItemTextA(Hwnd(), IDC_DVD_KARAOKE2, KaraokeContentName(mKaraoke.wChannelContents[2]));
        ::SetDlgItemTextA(Hwnd(), IDC_DVD_KARAOKE3, KaraokeContentName(mKaraoke.wChannelContents[3]));
        ::SetDlgItemTextA(Hwnd(), IDC_DVD_KARAOKE4, KaraokeContentName(mKaraoke.wChannelContents[4]));
        return TRUE;
    }
    void OnOK() override {
        flags =
            KaraokeMixFlags(Checked(IDC_DVD_KARAOKE2), Checked(IDC_DVD_KARAOKE3), Checked(IDC_DVD_KARAOKE4));
        EndDialog(1);
    }
    void OnCancel() override { EndDialog(0); }

private:
    bool Checked(int id) const { return ::IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }
    DVD_KaraokeAttributes mKaraoke;
};

bool KaraokeError(const char* text) {
    ::MessageBoxA(nullptr, text, kErrorCaption, MB_OK);
    return false;
}

}  // namespace

ULONG KaraokeMixFlags(bool channel2, bool channel3, bool channel4) {
    ULONG flags = 0;
    if (channel2) flags |= DVD_Mix_3to0 | DVD_Mix_3to1;
    if (channel3) flags |= DVD_Mix_4to0 | DVD_Mix_4to1;
    if (channel4) flags |= DVD_Mix_Lto0 | DVD_Mix_Lto1;
    return flags;
}

bool RunKaraokeMixing(HINSTANCE instance, HWND owner, IDvdInfo2* dvdInfo, IDvdControl2* dvdControl) {
    if (!dvdInfo || !dvdControl) return false;
    DVD_AudioAttributes audio{};
    if (FAILED(dvdInfo->GetAudioAttributes(DVD_STREAM_DATA_CURRENT, &audio)))
        return KaraokeError("GetAudioAttributes Failed");
    if (audio.AppMode != DVD_AudioMode_Karaoke)
        return KaraokeError("There is no karaoke data in this audio stream");
    DVD_KaraokeAttributes karaoke{};
    if (FAILED(dvdInfo->GetKaraokeAttributes(DVD_STREAM_DATA_CURRENT, &karaoke)))
        return KaraokeError("GetKaraokeAttributes Failed");
    KaraokeDialog dialog(instance, owner, karaoke);
    if (dialog.DoModal() != 1) return false;
    if (FAILED(dvdControl->SelectKaraokeAudioPresentationMode(dialog.flags)))
        return KaraokeError("SelectKaraokeAudioPresentationMode Failed");
    return true;
}

// ---- Parental level -------------------------------------------------------------------------

const ParentalRating* ParentalRatings(size_t& count) {
    count = std::size(kRatings);
    return kRatings;
}

DvdParentalDialog::DvdParentalDialog(HINSTANCE instance, HWND owner, ULONG current)
    : fw::Dialog(IDD_DVD_PARENTAL, owner, instance), mCurrent(current) {}

bool DvdParentalDialog::Show() {
    mChosen = false;
    DoModal();
    return mChosen;
}

BOOL DvdParentalDialog::OnInitDialog() {
    HWND list = Item(IDC_DVD_LEVELS);
    for (const ParentalRating& rating : kRatings) {
        LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rating.name));
        if (index < 0) continue;
        ::SendMessageA(list, LB_SETITEMDATA, index, rating.level);
        if (rating.level == mCurrent) ::SendMessageA(list, LB_SETCURSEL, index, 0);
    }
    return TRUE;
}

void DvdParentalDialog::OnOK() {
    HWND list = Item(IDC_DVD_LEVELS);
    LRESULT selection = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selection != LB_ERR) {
        level = static_cast<ULONG>(::SendMessageA(list, LB_GETITEMDATA, selection, 0));
        mChosen = true;
    }
    EndDialog(1);
}
