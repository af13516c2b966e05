#include "Driver.h"

#include "Observe.h"
#include "ProcessTime.h"

#include <windowsx.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

namespace e2e {

// ---- Paths -------------------------------------------------------------------------------

std::string ExeDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string PlayerPath() {
    return ExeDirectory() + "tesmaro_player.exe";
}

std::string MediaDirectory() {
    return ExeDirectory() + "media\\";
}

std::string MakeTempDirectory(const std::string& tag) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    for (unsigned n = ::GetTickCount();; ++n) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof(name), "%stesmaro_%s_%lu_%u\\", base, tag.c_str(), ::GetCurrentProcessId(),
                      n);
        if (::CreateDirectoryA(name, nullptr)) return name;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

// ---- Processes -------------------------------------------------------------------------------

Process Process::Start(const std::string& exe, const std::vector<std::string>& args, const std::string& cwd) {
    Process p = Launch(exe, args, cwd);
    if (p.mHandle) ::WaitForInputIdle(p.mHandle.Get(), 10000);
    return p;
}

Process Process::Launch(const std::string& exe, const std::vector<std::string>& args, const std::string& cwd) {
    std::string commandLine = "\"" + exe + "\"";
    for (const std::string& a : args)
        commandLine += " \"" + a + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    Process p;
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          cwd.empty() ? ExeDirectory().c_str() : cwd.c_str(), &si, &pi)) {
        return p;
    }
    ::CloseHandle(pi.hThread);
    p.mHandle.Reset(pi.hProcess);
    p.mId = pi.dwProcessId;
    return p;
}

Process::~Process() {
    Kill();
}

bool Process::Running() const {
    return mHandle && ::WaitForSingleObject(mHandle.Get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(DWORD timeoutMs) const {
    return mHandle && ::WaitForSingleObject(mHandle.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::MillisecondsRunning() const {
    return fw::MillisecondsRunning(mHandle.Get());
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (mHandle) ::GetExitCodeProcess(mHandle.Get(), &code);
    return code;
}

void Process::Kill() {
    if (Running()) {
        ::TerminateProcess(mHandle.Get(), 99);
        ::WaitForSingleObject(mHandle.Get(), 5000);
    }
}

// ---- Waiting ---------------------------------------------------------------------------------

void Pause(DWORD ms) {
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(10);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
        Pause(pollMs);
    }
}

// ---- Windows ---------------------------------------------------------------------------------

namespace {

struct TopSearch {
    const char* className;
    const char* title;
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<TopSearch*>(lp);
    if (s->pid && ProcessOf(hwnd) != s->pid) return TRUE;
    if (s->className && ClassName(hwnd) != s->className) return TRUE;
    if (s->title && WindowText(hwnd) != s->title) return TRUE;
    s->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

}  // namespace

HWND FindTopWindow(const char* className, const char* title, DWORD pid) {
    TopSearch s{className, title, pid, {}};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found.empty() ? nullptr : s.found.front();
}

HWND WaitForWindow(const char* className, const char* title, DWORD pid, DWORD timeoutMs) {
    HWND hwnd = nullptr;
    WaitUntil([&] { return (hwnd = FindTopWindow(className, title, pid)) != nullptr; }, timeoutMs);
    return hwnd;
}

HWND WaitForMenu(DWORD pid, DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopWindows(pid)) {
                if (ClassName(hwnd) == "#32768" && IsShown(hwnd)) return (menu = hwnd) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return menu;
}

std::vector<HWND> TopWindows(DWORD pid) {
    TopSearch s{nullptr, nullptr, pid, {}};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FindChild(HWND parent, const char* className, const char* text) {
    for (HWND child : Children(parent)) {
        if (className && ClassName(child) != className) continue;
        if (text && WindowText(child) != text) continue;
        return child;
    }
    return nullptr;
}

std::string WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        char quick[512] = {};  // the window is busy: its caption as the system keeps it
        ::GetWindowTextA(hwnd, quick, sizeof(quick));
        return quick;
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

std::string ClassName(HWND hwnd) {
    char name[256] = {};
    ::GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRect(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    return r;
}

bool IsShown(HWND hwnd) {
    return ::IsWindowVisible(hwnd) != FALSE;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// ---- Messages --------------------------------------------------------------------------------

bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(hwnd, msg, wParam, lParam) != FALSE;
}

bool PostCommand(HWND hwnd, WORD id) {
    return Post(hwnd, WM_COMMAND, id, 0);
}

bool PostChar(HWND hwnd, char ch) {
    return Post(hwnd, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

void PostClick(HWND hwnd, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    Post(hwnd, WM_MOUSEMOVE, 0, at);
    Post(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(hwnd, WM_LBUTTONUP, 0, at);
}

namespace {

void SendMouse(DWORD flags, POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>(screen.x * 65535.0 / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    in.mi.dy = static_cast<LONG>(screen.y * 65535.0 / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}

POINT ToScreen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace

// A real click lands on whatever lies at the point, and on a busy desktop another test's window
// may lie over ours: the window is brought forward until the point is its own.
static void MakePointOurs(HWND hwnd, POINT p) {
    HWND root = ::GetAncestor(hwnd, GA_ROOT);
    WaitUntil(
        [&] {
            HWND at = ::WindowFromPoint(p);
            if (at && ::GetAncestor(at, GA_ROOT) == root) return true;
            ::SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return false;
        },
        5000);
}

// Under Wine the X server's report of an earlier pointer position may still move the pointer back
// after a move: the move is made again until the pointer stays where it was sent.
static void PointerTo(POINT p) {
    auto there = [&] {
        POINT now{};
        return ::GetCursorPos(&now) && now.x == p.x && now.y == p.y;
    };
    for (int tries = 0; tries < 5; ++tries) {
        SendMouse(MOUSEEVENTF_MOVE, p);
        if (!WaitUntil(there, 2000, 10)) continue;
        // Still there a moment later: no earlier report is left to move it.
        if (!WaitUntil([&] { return !there(); }, 150, 10)) return;
    }
}

void Click(HWND hwnd, int x, int y) {
    POINT p = ToScreen(hwnd, x, y);
    MakePointOurs(hwnd, p);
    PointerTo(p);
    // Press and release carry the point themselves, so they land there whatever came between.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, p);
    Pause(60);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, p);
    Pause(60);
}

void PressKey(WORD vk) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    ::SendInput(1, &in, sizeof(in));
    Pause(40);
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof(in));
    Pause(80);
}

void MoveMouse(HWND hwnd, int x, int y) {
    PointerTo(ToScreen(hwnd, x, y));
    Pause(60);
}

void DragOnScreen(POINT from, POINT to, int steps) {
    SendMouse(MOUSEEVENTF_MOVE, from);
    Pause(60);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    Pause(60);
    for (int i = 1; i <= steps; ++i) {
        SendMouse(MOUSEEVENTF_MOVE,
                  POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        Pause(40);
    }
    SendMouse(MOUSEEVENTF_LEFTUP, to);
    Pause(60);
}

// The control under the press takes the mouse (a slider, a scroll bar) and lets it go at the
// release: each step waits for what it means, so whatever the caller reads next has seen the
// whole drag, however slowly the player's thread gets to its input.
void Drag(HWND hwnd, POINT from, POINT to, int steps) {
    POINT start = ToScreen(hwnd, from.x, from.y);
    MakePointOurs(hwnd, start);
    PointerTo(start);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, start);
    WaitUntil([&] { return CaptureOf(hwnd) == hwnd; }, 3000, 10);
    for (int i = 1; i <= steps; ++i)
        PointerTo(ToScreen(hwnd, from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, ToScreen(hwnd, to.x, to.y));
    WaitUntil([&] { return CaptureOf(hwnd) != hwnd; }, 3000, 10);
}

// ---- Memory of another process ------------------------------------------------------------

RemoteMemory::RemoteMemory(DWORD pid, size_t size)
    : mProcess(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)),
      mSize(size) {
    if (mProcess) mAddress = ::VirtualAllocEx(mProcess.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (mAddress) ::VirtualFreeEx(mProcess.Get(), mAddress, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) {
    SIZE_T done = 0;
    return mAddress && offset + size <= mSize &&
           ::WriteProcessMemory(mProcess.Get(), static_cast<char*>(mAddress) + offset, data, size, &done) &&
           done == size;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    SIZE_T done = 0;
    return mAddress && offset + size <= mSize &&
           ::ReadProcessMemory(mProcess.Get(), static_cast<char*>(mAddress) + offset, data, size, &done) &&
           done == size;
}

// ---- List views of another process -------------------------------------------------------

int ListViewCount(HWND list) {
    return static_cast<int>(Send(list, LVM_GETITEMCOUNT).value_or(-1));
}

namespace {
constexpr size_t kTextRoom = 1024;

std::string RemoteItemText(HWND list, RemoteMemory& memory, int row) {
    LVITEMA item{};
    item.iSubItem = 0;
    item.cchTextMax = kTextRoom;
    item.pszText = reinterpret_cast<char*>(memory.Address(sizeof(LVITEMA)));
    memory.Write(&item, sizeof(item));
    std::optional<LRESULT> length = Send(list, LVM_GETITEMTEXTA, row, memory.Address());
    if (!length) return {};
    std::string text(kTextRoom, '\0');
    memory.Read(text.data(), kTextRoom, sizeof(LVITEMA));
    text.resize(std::min<size_t>(text.find('\0'), static_cast<size_t>(*length)));
    return text;
}
}  // namespace

std::string ListViewText(HWND list, int row) {
    RemoteMemory memory(ProcessOf(list), sizeof(LVITEMA) + kTextRoom);
    return RemoteItemText(list, memory, row);
}

std::vector<std::string> ListViewTexts(HWND list) {
    RemoteMemory memory(ProcessOf(list), sizeof(LVITEMA) + kTextRoom);
    std::vector<std::string> texts;
    int count = ListViewCount(list);
    for (int row = 0; row < count; ++row)
        texts.push_back(RemoteItemText(list, memory, row));
    return texts;
}

bool ListViewSelect(HWND list, const std::vector<int>& rows) {
    RemoteMemory memory(ProcessOf(list), sizeof(LVITEMA));
    auto setState = [&](int row, UINT state) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        return memory.Write(&item, sizeof(item)) &&
               Send(list, LVM_SETITEMSTATE, row, memory.Address()).value_or(0);
    };
    bool ok = setState(-1, 0);
    for (size_t i = 0; i < rows.size(); ++i)
        ok = setState(rows[i], LVIS_SELECTED | (i + 1 == rows.size() ? LVIS_FOCUSED : 0)) && ok;
    return ok;
}

std::vector<int> ListViewSelected(HWND list) {
    std::vector<int> rows;
    for (int row = static_cast<int>(Send(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED).value_or(-1)); row >= 0;
         row = static_cast<int>(Send(list, LVM_GETNEXTITEM, row, LVNI_SELECTED).value_or(-1))) {
        rows.push_back(row);
    }
    return rows;
}

POINT ListViewRowPoint(HWND list, int row) {
    RemoteMemory memory(ProcessOf(list), sizeof(RECT));
    RECT r{};
    r.left = LVIR_LABEL;
    memory.Write(&r, sizeof(r));
    Send(list, LVM_GETITEMRECT, row, memory.Address());
    memory.Read(&r, sizeof(r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// ---- Common dialogs of another process ----------------------------------------------------

namespace {
constexpr int kFileNameBox = 0x47c;   // cmb13: the file-name combo box of explorer-style dialogs
constexpr int kFileNameEdit = 0x480;  // edt1: the file-name edit of older templates

void PressButton(HWND dialog, int id) {
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
}  // namespace

bool FillFileDialog(HWND dialog, const std::string& text) {
    HWND edit = nullptr;
    auto findEdit = [&] {
        for (HWND child : Children(dialog)) {
            int id = ::GetDlgCtrlID(child);
            if (ClassName(child) == "Edit" && (id == kFileNameBox || id == kFileNameEdit)) edit = child;
        }
        return edit != nullptr && IsShown(dialog);
    };
    // The dialog is found as soon as it exists; its fields come with its initialisation.
    if (!WaitUntil(findEdit, 10000)) return false;
    if (!Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) return false;
    PressButton(dialog, IDOK);
    return true;
}

bool ChooseFolder(HWND browser, const std::string& path) {
    // The browser fills its tree after it shows; a selection sent earlier is lost.
    HWND tree = FindChild(browser, "SysTreeView32", nullptr);
    if (!tree ||
        !WaitUntil([&] { return Send(tree, TVM_GETCOUNT).value_or(0) > 0 && IsShown(browser); }, 10000))
        return false;
    LRESULT before = Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0).value_or(0);
    RemoteMemory memory(ProcessOf(browser), path.size() + 1);
    if (!memory.Write(path.c_str(), path.size() + 1)) return false;
    bool moved = WaitUntil(
        [&] {
            Send(browser, BFFM_SETSELECTIONA, TRUE, memory.Address());
            LRESULT now = Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0).value_or(0);
            return now != 0 && now != before;
        },
        10000, 200);
    if (!moved) return false;
    PressButton(browser, IDOK);
    return true;
}

// ---- Message boxes ---------------------------------------------------------------------------

namespace {
constexpr int kMessageBoxTextId = 0xFFFF;  // the static control that holds a message box's text
}

std::optional<MessageBoxInfo> FindMessageBox(DWORD pid) {
    for (HWND hwnd : TopWindows(pid)) {
        if (ClassName(hwnd) != "#32770" || !IsShown(hwnd)) continue;
        HWND text = ::GetDlgItem(hwnd, kMessageBoxTextId);
        if (!text) continue;
        // Common dialogs label their fields with the same identifier; they have fields to fill.
        if (FindChild(hwnd, "Edit", nullptr) || FindChild(hwnd, "ComboBox", nullptr)) continue;
        return MessageBoxInfo{hwnd, WindowText(hwnd), WindowText(text)};
    }
    return std::nullopt;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    std::optional<MessageBoxInfo> box;
    WaitUntil([&] { return (box = FindMessageBox(pid)).has_value(); }, timeoutMs);
    return box;
}

bool DismissMessageBox(const MessageBoxInfo& box, int buttonId) {
    for (int id : {buttonId, IDOK, IDCANCEL, IDNO}) {
        if (::GetDlgItem(box.hwnd, id)) {
            Post(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box.hwnd, id)));
            return WaitUntil([&] { return !::IsWindow(box.hwnd) || !IsShown(box.hwnd); }, 3000);
        }
    }
    Post(box.hwnd, WM_CLOSE);
    return WaitUntil([&] { return !::IsWindow(box.hwnd); }, 3000);
}

MessageBoxGuard::MessageBoxGuard(DWORD pid)
    : mPid(pid), mStop(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    ::InitializeCriticalSection(&mLock);
    mThread.Reset(::CreateThread(nullptr, 0, Watch, this, 0, nullptr));
}

MessageBoxGuard::~MessageBoxGuard() {
    ::SetEvent(mStop.Get());
    ::WaitForSingleObject(mThread.Get(), 5000);
    ::DeleteCriticalSection(&mLock);
}

DWORD WINAPI MessageBoxGuard::Watch(void* p) {
    auto* self = static_cast<MessageBoxGuard*>(p);
    while (::WaitForSingleObject(self->mStop.Get(), 50) == WAIT_TIMEOUT) {
        std::optional<MessageBoxInfo> box = FindMessageBox(self->mPid);
        if (!box) continue;
        ::EnterCriticalSection(&self->mLock);
        self->mSeen.push_back(*box);
        ::LeaveCriticalSection(&self->mLock);
        std::fprintf(stderr, "[message box] %s: %s\n", box->caption.c_str(), box->text.c_str());
        DismissMessageBox(*box);
    }
    return 0;
}

std::vector<MessageBoxInfo> MessageBoxGuard::Seen() const {
    ::EnterCriticalSection(&mLock);
    std::vector<MessageBoxInfo> copy = mSeen;
    ::LeaveCriticalSection(&mLock);
    return copy;
}

std::optional<MessageBoxInfo> MessageBoxGuard::WaitForBox(DWORD timeoutMs, size_t already) const {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            std::vector<MessageBoxInfo> seen = Seen();
            if (seen.size() > already) box = seen.back();
            return box.has_value();
        },
        timeoutMs);
    return box;
}

void MessageBoxGuard::Clear() {
    ::EnterCriticalSection(&mLock);
    mSeen.clear();
    ::LeaveCriticalSection(&mLock);
}

// ---- Registry --------------------------------------------------------------------------------

std::optional<DWORD> ReadRegDword(HKEY root, const std::string& path, const std::string& name) {
    DWORD value = 0, size = sizeof(value), type = 0;
    if (::RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ReadRegString(HKEY root, const std::string& path, const std::string& name) {
    DWORD size = 0, type = 0;
    if (::RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::string value(size, '\0');
    if (::RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, &type, value.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
    return value;
}

bool WriteRegDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    return ::RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value)) ==
           ERROR_SUCCESS;
}

bool WriteRegString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
    return ::RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_SZ, value.c_str(),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void DeleteRegTree(HKEY root, const std::string& path) {
    ::RegDeleteTreeA(root, path.c_str());
}

}  // namespace e2e
