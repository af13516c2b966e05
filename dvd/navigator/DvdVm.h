// The DVD virtual machine (libdvdnav) behind plain types: it reads the volume block by block,
// runs the disc's program chains and commands, and is told where to go. Kept apart because
// libdvdnav's names (DVD_DOMAIN_FirstPlay, DVD_MENU_Title) collide with DirectShow's; nothing
// here includes either header. One thread uses a machine at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct dvdnav_s;

namespace navigator {

enum class VmDomain { FirstPlay, ManagerMenu, TitleSetMenu, Title, Stop };

enum class VmEvent {
    Block,  // a program-stream sector in `data`
    Nop,
    Still,              // `stillSeconds` (0xff: until the user ends it)
    SpuStreamChange,    // `spuPhysical` (0x80 set: only forced subpictures show)
    AudioStreamChange,  // `audioPhysical`
    VtsChange,
    CellChange,
    NavPacket,
    Stop,           // the disc's program ended
    Highlight,      // `button`
    SpuClutChange,  // `clut`
    HopChannel,     // a jump: what is buffered no longer plays
    Wait,           // play out what is buffered, then WaitSkip
    Error,
};

struct VmBlock {
    VmEvent event = VmEvent::Error;
    const uint8_t* data = nullptr;  // Block: kSectorBytes, valid until the next call
    size_t size = 0;
    int stillSeconds = 0;
    int audioPhysical = -1;
    int spuPhysical = -1;
    int button = 0;
    uint32_t clut[16] = {};
};

struct VmButton {
    int left = 0, top = 0, right = 0, bottom = 0;  // picture coordinates, right and bottom inclusive
    int colourGroup = 0;                           // 1-3: which colours highlight it; 0 none
};

class Vm {
public:
    Vm();
    ~Vm();
    Vm(const Vm&) = delete;
    Vm& operator=(const Vm&) = delete;

    // The VIDEO_TS folder (UTF-8). False, with `why`, when libdvdnav cannot open it.
    bool Open(const std::string& folder, std::string& why);
    void Close();
    bool IsOpen() const { return mNav != nullptr; }

    VmBlock Next();

    // Where the machine is.
    VmDomain Domain();
    bool TitlePart(int& title, int& part);
    int64_t PgcTimeTicks();                          // at the last navigation packet
    void VobuTimes(uint32_t& start, uint32_t& end);  // of the last navigation packet
    uint32_t Prohibited();  // the user-operation mask of the program chain and the packet
    int ActiveAudio();      // logical stream, -1 none
    int ActiveSubpicture(bool& shown);
    void Angles(int& current, int& count);
    int Buttons(int& current);  // of the last navigation packet; 0 outside menus
    bool Button(int number, VmButton& button);
    // The highlight colours of the last navigation packet: [group - 1][0 selected, 1 activated],
    // each the colours of pixel types 3 to 0 (high 16 bits) and their contrasts (low 16 bits).
    bool ButtonColours(uint32_t (&words)[3][2]);
    unsigned Jumps();  // grows with every jump the machine makes
    bool CanResume();  // a place in a title is kept for a resume
    int TitleSet();    // the title set loaded, 0 for none
    bool ChapterTimes(int title, std::vector<uint64_t>& startTicks, uint64_t& lengthTicks);
    int Titles();
    int Parts(int title);

    // Where to go; false when the machine refuses.
    bool PlayTitle(int title);
    bool PlayPart(int title, int part);
    bool TimeSearch(int64_t ticks);  // within the current program chain
    bool PartSearch(int part);
    bool PrevChapter();
    bool TopChapter();
    bool NextChapter();
    bool MenuCall(int menuId);  // 0 escape, 2 title, 3 root, 4-7 as DVD_MENU_ID
    bool GoUp();
    bool StillSkip();   // the still ends and the machine goes on after it
    void LeaveStill();  // the still ends for a jump elsewhere
    bool WaitSkip();
    bool Restart();  // back to before first play, with the player's settings kept
    bool SelectUpper();
    bool SelectLower();
    bool SelectLeft();
    bool SelectRight();
    bool Activate();
    bool SelectButton(int number);
    bool MouseSelect(int x, int y);
    bool SetAngle(int angle);
    bool SetAudio(int logical);
    bool SetSubpicture(int logical, bool shown);

    // The player's settings, which the machine keeps in registers it resets at each restart.
    void SetParentalLevel(unsigned level);  // 1-8, 15 for none
    void SetParentalCountry(char first, char second);
    void SetLanguages(uint16_t menu, uint16_t audio, uint16_t subpicture);  // 0 keeps the default
    uint16_t SystemRegister(int index);
    uint16_t GeneralRegister(int index);
    bool SetGeneralRegister(int index, uint16_t value);

    std::string LastError();

private:
    void ApplySettings();
    dvdnav_s* mNav = nullptr;
    uint8_t mBuffer[2048 + 16];
    unsigned mParentalLevel = 15;
    char mCountry[2] = {'U', 'S'};
    uint16_t mMenuLanguage = 0, mAudioLanguage = 0, mSubpictureLanguage = 0;
    uint32_t mVobuStart = 0, mVobuEnd = 0;
    // libdvdnav keeps the last navigation packet after a jump: its buttons are the old place's
    // until the new place's first packet.
    bool mPacketCurrent = false;
    std::string mLog;  // the libraries' last error message
};

}  // namespace navigator
