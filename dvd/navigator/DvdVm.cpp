#include "DvdVm.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <dvdnav/dvdnav.h>
#include <dvdread/nav_types.h>
}

#include "DvdnavRegisters.h"

namespace navigator {

namespace {

// libdvdnav and libdvdread report through this for as long as the machine lives.
void LogMessage(void* priv, dvdnav_logger_level_t level, const char* format, va_list args) {
    if (level != DVDNAV_LOGGER_LEVEL_ERROR || !priv) return;
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    *static_cast<std::string*>(priv) = text;
}

void LanguageText(uint16_t code, char (&text)[3]) {
    text[0] = static_cast<char>(code >> 8);
    text[1] = static_cast<char>(code & 0xff);
    text[2] = 0;
}

// User operations by bit number, as DVD-Video numbers them.
uint32_t Mask(const user_ops_t& u) {
    const unsigned bits[25] = {
        u.title_or_time_play,
        u.chapter_search_or_play,
        u.title_play,
        u.stop,
        u.go_up,
        u.time_or_chapter_search,
        u.prev_or_top_pg_search,
        u.next_pg_search,
        u.forward_scan,
        u.backward_scan,
        u.title_menu_call,
        u.root_menu_call,
        u.subpic_menu_call,
        u.audio_menu_call,
        u.angle_menu_call,
        u.chapter_menu_call,
        u.resume,
        u.button_select_or_activate,
        u.still_off,
        u.pause_on,
        u.audio_stream_change,
        u.subpic_stream_change,
        u.angle_change,
        u.karaoke_audio_pres_mode_change,
        u.video_pres_mode_change,
    };
    uint32_t mask = 0;
    for (int i = 0; i < 25; ++i)
        if (bits[i]) mask |= 1u << i;
    return mask;
}

}  // namespace

Vm::Vm() = default;

Vm::~Vm() {
    Close();
}

bool Vm::Open(const std::string& folder, std::string& why) {
    Close();
    mLog.clear();
    dvdnav_logger_cb logger = {LogMessage};
    dvdnav_t* nav = nullptr;
    if (dvdnav_open2(&nav, &mLog, &logger, folder.c_str()) != DVDNAV_STATUS_OK || !nav) {
        why = mLog.empty() ? "libdvdnav cannot open the volume" : mLog;
        if (nav) dvdnav_close(nav);
        return false;
    }
    mNav = nav;
    mPacketCurrent = false;
    dvdnav_set_readahead_flag(mNav, 1);
    // Time searches and positions over the whole program chain, which is the title as the
    // navigator's interfaces count it, not over the current chapter.
    dvdnav_set_PGC_positioning_flag(mNav, 1);
    ApplySettings();
    return true;
}

void Vm::Close() {
    if (mNav) dvdnav_close(mNav);
    mNav = nullptr;
}

void Vm::ApplySettings() {
    if (!mNav) return;
    char code[3];
    if (mMenuLanguage) {
        LanguageText(mMenuLanguage, code);
        dvdnav_menu_language_select(mNav, code);
    }
    if (mAudioLanguage) {
        LanguageText(mAudioLanguage, code);
        dvdnav_audio_language_select(mNav, code);
    }
    if (mSubpictureLanguage) {
        LanguageText(mSubpictureLanguage, code);
        dvdnav_spu_language_select(mNav, code);
    }
    TmDvdnavSetSystemRegister(mNav, 13, static_cast<uint16_t>(mParentalLevel));
    TmDvdnavSetSystemRegister(mNav, 12,
                              static_cast<uint16_t>(static_cast<unsigned char>(mCountry[0]) << 8 |
                                                    static_cast<unsigned char>(mCountry[1])));
}

VmBlock Vm::Next() {
    VmBlock block;
    if (!mNav) return block;
    int32_t event = 0, length = 0;
    if (dvdnav_get_next_block(mNav, mBuffer, &event, &length) != DVDNAV_STATUS_OK) return block;
    switch (event) {
        case DVDNAV_BLOCK_OK:
            block.event = VmEvent::Block;
            block.data = mBuffer;
            block.size = length > 0 ? static_cast<size_t>(length) : 0;
            break;
        case DVDNAV_NOP:
            block.event = VmEvent::Nop;
            break;
        case DVDNAV_STILL_FRAME:
            block.event = VmEvent::Still;
            block.stillSeconds = reinterpret_cast<dvdnav_still_event_t*>(mBuffer)->length;
            break;
        case DVDNAV_SPU_STREAM_CHANGE: {
            auto* e = reinterpret_cast<dvdnav_spu_stream_change_event_t*>(mBuffer);
            block.event = VmEvent::SpuStreamChange;
            // Pictures are shown as authored (4:3 or letterboxed), not as anamorphic wide screen.
            block.spuPhysical = e->physical_letterbox;
            break;
        }
        case DVDNAV_AUDIO_STREAM_CHANGE:
            block.event = VmEvent::AudioStreamChange;
            block.audioPhysical = reinterpret_cast<dvdnav_audio_stream_change_event_t*>(mBuffer)->physical;
            break;
        case DVDNAV_VTS_CHANGE:
            block.event = VmEvent::VtsChange;
            break;
        case DVDNAV_CELL_CHANGE:
            block.event = VmEvent::CellChange;
            break;
        case DVDNAV_NAV_PACKET: {
            block.event = VmEvent::NavPacket;
            mPacketCurrent = true;
            pci_t* pci = dvdnav_get_current_nav_pci(mNav);
            if (pci) {
                mVobuStart = pci->pci_gi.vobu_s_ptm;
                mVobuEnd = pci->pci_gi.vobu_e_ptm;
            }
            break;
        }
        case DVDNAV_STOP:
            block.event = VmEvent::Stop;
            mPacketCurrent = false;
            break;
        case DVDNAV_HIGHLIGHT:
            block.event = VmEvent::Highlight;
            block.button = static_cast<int>(reinterpret_cast<dvdnav_highlight_event_t*>(mBuffer)->buttonN);
            break;
        case DVDNAV_SPU_CLUT_CHANGE:
            block.event = VmEvent::SpuClutChange;
            std::memcpy(block.clut, mBuffer, sizeof block.clut);
            break;
        case DVDNAV_HOP_CHANNEL:
            block.event = VmEvent::HopChannel;
            mPacketCurrent = false;
            break;
        case DVDNAV_WAIT:
            block.event = VmEvent::Wait;
            break;
        default:
            block.event = VmEvent::Nop;
            break;
    }
    return block;
}

VmDomain Vm::Domain() {
    if (!mNav) return VmDomain::Stop;
    if (dvdnav_is_domain_vts(mNav)) return VmDomain::Title;
    if (dvdnav_is_domain_vtsm(mNav)) return VmDomain::TitleSetMenu;
    if (dvdnav_is_domain_vmgm(mNav)) return VmDomain::ManagerMenu;
    if (dvdnav_is_domain_fp(mNav)) return VmDomain::FirstPlay;
    return VmDomain::Stop;
}

bool Vm::TitlePart(int& title, int& part) {
    int32_t t = 0, p = 0;
    if (!mNav || dvdnav_current_title_info(mNav, &t, &p) != DVDNAV_STATUS_OK) return false;
    title = t;
    part = p;
    return true;
}

int64_t Vm::PgcTimeTicks() {
    return mNav ? dvdnav_get_current_time(mNav) : 0;
}

void Vm::VobuTimes(uint32_t& start, uint32_t& end) {
    start = mVobuStart;
    end = mVobuEnd;
}

uint32_t Vm::Prohibited() {
    if (!mNav) return 0;
    return Mask(dvdnav_get_restrictions(mNav));
}

// The machine's register may name a stream the program chain lacks (15 at first): libdvdnav
// then plays the first it has. What plays is reported by its logical number (physical numbers
// count within each coding, so AC-3 0 and LPCM 0 are two streams). libdvdnav's
// dvdnav_get_*_logical_stream map a logical number to its physical one, -1 when there is none.
int Vm::ActiveAudio() {
    if (!mNav) return -1;
    int reg = SystemRegister(1);
    if (reg < 8 && dvdnav_get_audio_logical_stream(mNav, static_cast<uint8_t>(reg)) >= 0) return reg;
    for (int n = 0; n < 8; ++n)
        if (dvdnav_get_audio_logical_stream(mNav, static_cast<uint8_t>(n)) >= 0) return n;
    return -1;
}

int Vm::ActiveSubpicture(bool& shown) {
    int reg = SystemRegister(2);
    shown = (reg & 0x40) != 0;
    if (!mNav) return -1;
    reg &= 0x3f;
    if (reg < 32 && dvdnav_get_spu_logical_stream(mNav, static_cast<uint8_t>(reg)) >= 0) return reg;
    for (int n = 0; n < 32; ++n)
        if (dvdnav_get_spu_logical_stream(mNav, static_cast<uint8_t>(n)) >= 0) return n;
    return -1;
}

void Vm::Angles(int& current, int& count) {
    int32_t c = 1, n = 1;
    if (mNav) dvdnav_get_angle_info(mNav, &c, &n);
    current = c;
    count = n;
}

int Vm::Buttons(int& current) {
    current = 0;
    if (!mNav || !mPacketCurrent) return 0;
    pci_t* pci = dvdnav_get_current_nav_pci(mNav);
    if (!pci || !pci->hli.hl_gi.hli_ss) return 0;
    int32_t button = 0;
    dvdnav_get_current_highlight(mNav, &button);
    current = button;
    return pci->hli.hl_gi.btn_ns;
}

bool Vm::Button(int number, VmButton& button) {
    if (!mNav || !mPacketCurrent) return false;
    pci_t* pci = dvdnav_get_current_nav_pci(mNav);
    if (!pci || !pci->hli.hl_gi.hli_ss || number < 1 || number > pci->hli.hl_gi.btn_ns || number > 36)
        return false;
    const btni_t& b = pci->hli.btnit[number - 1];
    button.left = b.x_start;
    button.top = b.y_start;
    button.right = b.x_end;
    button.bottom = b.y_end;
    button.colourGroup = b.btn_coln;
    return true;
}

bool Vm::ButtonColours(uint32_t (&words)[3][2]) {
    if (!mNav || !mPacketCurrent) return false;
    pci_t* pci = dvdnav_get_current_nav_pci(mNav);
    if (!pci || !pci->hli.hl_gi.hli_ss) return false;
    for (int group = 0; group < 3; ++group)
        for (int mode = 0; mode < 2; ++mode)
            words[group][mode] = pci->hli.btn_colit.btn_coli[group][mode];
    return true;
}

unsigned Vm::Jumps() {
    return TmDvdnavJumps(mNav);
}

bool Vm::CanResume() {
    return TmDvdnavCanResume(mNav) != 0;
}

int Vm::TitleSet() {
    return TmDvdnavTitleSet(mNav);
}

bool Vm::ChapterTimes(int title, std::vector<uint64_t>& startTicks, uint64_t& lengthTicks) {
    if (!mNav) return false;
    uint64_t* times = nullptr;
    uint64_t duration = 0;
    uint32_t count = dvdnav_describe_title_chapters(mNav, title, &times, &duration);
    if (!times) return false;
    // libdvdnav gives each chapter's end; the navigator counts their starts.
    startTicks.assign(1, 0);
    for (uint32_t i = 0; i + 1 < count; ++i)
        startTicks.push_back(times[i]);
    std::free(times);
    lengthTicks = duration;
    return true;
}

int Vm::Titles() {
    int32_t n = 0;
    if (mNav) dvdnav_get_number_of_titles(mNav, &n);
    return n;
}

int Vm::Parts(int title) {
    int32_t n = 0;
    if (mNav) dvdnav_get_number_of_parts(mNav, title, &n);
    return n;
}

bool Vm::PlayTitle(int title) {
    return mNav && dvdnav_title_play(mNav, title) == DVDNAV_STATUS_OK;
}
bool Vm::PlayPart(int title, int part) {
    return mNav && dvdnav_part_play(mNav, title, part) == DVDNAV_STATUS_OK;
}
bool Vm::TimeSearch(int64_t ticks) {
    return mNav && ticks >= 0 && dvdnav_time_search(mNav, static_cast<uint64_t>(ticks)) == DVDNAV_STATUS_OK;
}
bool Vm::PartSearch(int part) {
    return mNav && dvdnav_part_search(mNav, part) == DVDNAV_STATUS_OK;
}
bool Vm::PrevChapter() {
    return mNav && dvdnav_prev_pg_search(mNav) == DVDNAV_STATUS_OK;
}
bool Vm::TopChapter() {
    return mNav && dvdnav_top_pg_search(mNav) == DVDNAV_STATUS_OK;
}
bool Vm::NextChapter() {
    return mNav && dvdnav_next_pg_search(mNav) == DVDNAV_STATUS_OK;
}
bool Vm::MenuCall(int menuId) {
    return mNav && dvdnav_menu_call(mNav, static_cast<DVDMenuID_t>(menuId)) == DVDNAV_STATUS_OK;
}
bool Vm::GoUp() {
    return mNav && dvdnav_go_up(mNav) == DVDNAV_STATUS_OK;
}
bool Vm::StillSkip() {
    return mNav && dvdnav_still_skip(mNav) == DVDNAV_STATUS_OK;
}
void Vm::LeaveStill() {
    TmDvdnavLeaveStill(mNav);
}
bool Vm::WaitSkip() {
    return mNav && dvdnav_wait_skip(mNav) == DVDNAV_STATUS_OK;
}

bool Vm::Restart() {
    mPacketCurrent = false;
    if (!mNav || dvdnav_reset(mNav) != DVDNAV_STATUS_OK) return false;
    ApplySettings();
    return true;
}

namespace {
template <typename F>
bool WithPci(dvdnav_t* nav, F f) {
    if (!nav) return false;
    pci_t* pci = dvdnav_get_current_nav_pci(nav);
    return pci && f(pci) == DVDNAV_STATUS_OK;
}
}  // namespace

bool Vm::SelectUpper() {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_upper_button_select(mNav, p); });
}
bool Vm::SelectLower() {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_lower_button_select(mNav, p); });
}
bool Vm::SelectLeft() {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_left_button_select(mNav, p); });
}
bool Vm::SelectRight() {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_right_button_select(mNav, p); });
}
bool Vm::Activate() {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_button_activate(mNav, p); });
}
bool Vm::SelectButton(int number) {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_button_select(mNav, p, number); });
}
bool Vm::MouseSelect(int x, int y) {
    return WithPci(mNav, [&](pci_t* p) { return dvdnav_mouse_select(mNav, p, x, y); });
}

bool Vm::SetAngle(int angle) {
    return mNav && dvdnav_angle_change(mNav, angle) == DVDNAV_STATUS_OK;
}

bool Vm::SetAudio(int logical) {
    if (!mNav || logical < 0 || logical > 7) return false;
    return TmDvdnavSetSystemRegister(mNav, 1, static_cast<uint16_t>(logical)) != 0;
}

bool Vm::SetSubpicture(int logical, bool shown) {
    if (!mNav || logical < 0 || logical > 31) return false;
    return TmDvdnavSetSystemRegister(mNav, 2, static_cast<uint16_t>(logical | (shown ? 0x40 : 0))) != 0;
}

void Vm::SetParentalLevel(unsigned level) {
    mParentalLevel = level;
    if (mNav) TmDvdnavSetSystemRegister(mNav, 13, static_cast<uint16_t>(level));
}

void Vm::SetParentalCountry(char first, char second) {
    mCountry[0] = first;
    mCountry[1] = second;
    ApplySettings();
}

void Vm::SetLanguages(uint16_t menu, uint16_t audio, uint16_t subpicture) {
    if (menu) mMenuLanguage = menu;
    if (audio) mAudioLanguage = audio;
    if (subpicture) mSubpictureLanguage = subpicture;
    ApplySettings();
}

uint16_t Vm::SystemRegister(int index) {
    return TmDvdnavSystemRegister(mNav, index);
}

uint16_t Vm::GeneralRegister(int index) {
    return TmDvdnavGeneralRegister(mNav, index);
}

bool Vm::SetGeneralRegister(int index, uint16_t value) {
    return TmDvdnavSetGeneralRegister(mNav, index, value) != 0;
}

std::string Vm::LastError() {
    // libdvdnav's own message first, then what libdvdread logged.
    std::string text = mNav ? dvdnav_err_to_string(mNav) : "";
    if (!mLog.empty()) text += (text.empty() ? "" : "; ") + mLog;
    return text;
}

}  // namespace navigator
