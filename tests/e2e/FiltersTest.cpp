// The video window's Filters submenu, steered with the real keyboard, and the decoder filters
// that the real player switches with the system's registrar around MPEG and DVD graphs.
#include <windows.h>
#include <dshow.h>

#include "DecoderFiles.h"
#include "PlaybackSession.h"

using namespace e2e;
using decodertest::DecoderFiles;
using decodertest::RegistrarCall;

namespace {

// The number of filters in the graph the player builds for `path`: the classic renderer first,
// then the file rendered, the renderer taken out again when nothing reached it.
size_t FiltersOfGraphFor(const std::string& path) {
    ::CoInitialize(nullptr);
    size_t count = 0;
    IGraphBuilder* graph = nullptr;
    IBaseFilter* renderer = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph))) &&
        SUCCEEDED(::CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&renderer))) &&
        SUCCEEDED(graph->AddFilter(renderer, L"Video Renderer"))) {
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(graph->RenderFile(wide.c_str(), nullptr))) {
            IEnumFilters* filters = nullptr;
            graph->EnumFilters(&filters);
            for (IBaseFilter* f = nullptr; filters->Next(1, &f, nullptr) == S_OK; f->Release())
                ++count;
            filters->Release();
        }
    }
    if (renderer) renderer->Release();
    if (graph) graph->Release();
    ::CoUninitialize();
    return count;
}

std::vector<HWND> Menus(const Player& player) {
    std::vector<HWND> menus;
    for (HWND hwnd : TopWindows(player.process.Id()))
        if (ClassName(hwnd) == "#32768" && IsShown(hwnd)) menus.push_back(hwnd);
    return menus;
}

std::vector<RegistrarCall> Expected(std::initializer_list<std::pair<const char*, const char*>> calls) {
    std::vector<RegistrarCall> list;
    for (auto [file, action] : calls)
        list.push_back({0, file, action});
    return list;
}

}  // namespace

TEST_F(PlayerTest, TheFiltersSubmenuListsTheGraphAndChoosingAFilterWithoutPagesOpensNothing) {
    size_t filters = FiltersOfGraphFor(Media("clip_long.avi"));
    ASSERT_GE(filters, 3u);
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_long.avi  ");
    ASSERT_TRUE(video);
    ::SetForegroundWindow(video);
    HWND menu = OpenVideoMenu(player, video);
    ASSERT_TRUE(menu);
    // Keys reach the menu only once it tracks them.
    ASSERT_TRUE(WaitUntil([&] { return TracksMenu(video); }, 5000));
    // From the bottom: Close, then Filters (separators are skipped); right opens the submenu.
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return Menus(player).size() == 2; }, 3000));
    HWND submenu = Menus(player)[0] == menu ? Menus(player)[1] : Menus(player)[0];
    WaitUntil([&] { return WindowRect(submenu).bottom - WindowRect(submenu).top == static_cast<LONG>(2 * 3 + 9 + 17 * filters); },
              3000);
    WaitPainted(submenu);
    // One row per filter below the resource's separator, inside the menu's border.
    RECT r = WindowRect(submenu);
    EXPECT_EQ(r.bottom - r.top, static_cast<LONG>(2 * 3 + 9 + 17 * filters));
    // The submenu opens beside the Filters row of the popup.
    EXPECT_GE(r.left, WindowRect(menu).right - 10);
    Screenshot("C:\\tesmaro_filters_menu.png");

    // The first filter: Wine's filters have no property pages, so no frame comes.
    size_t windowsBefore = TopWindows(player.process.Id()).size();
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Menus(player).empty(); }, 3000));
    // The menu has posted its command by the time it is gone; a property frame would be up once
    // that command is handled.
    EXPECT_TRUE(WaitUntil([&] { return !TracksMenu(video); }, 3000));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_LE(TopWindows(player.process.Id()).size(), windowsBefore);
    EXPECT_TRUE(FindTopWindow(kVideoClass, "clip_long.avi  ", player.process.Id()));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

// The stand-in decoder files record every run of the registrar; the system's own regsvr32.exe
// runs them.
class DecoderTest : public PlayerTest {};

TEST_F(DecoderTest, OpeningAnMpegFileSwitchesTheDecodersAroundItsGraph) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    DecoderFiles::MarkRegistered(decodertest::kSecondaryDecoder);
    Player player = Player::Start({Media("clip.mpg")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip.mpg  "));
    ASSERT_TRUE(files.WaitForCalls(5));
    EXPECT_EQ(files.Calls(), Expected({{"Ravonim.dll", "register"},
                                       {"Ravosec.ax", "unregister"},
                                       {"Ravolit.dll", "register"},
                                       {"Ravonim.dll", "unregister"},
                                       {"Ravolit.dll", "unregister"}}));
    // Afterwards none is registered; the secondary decoder stays off.
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kVideoDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kSecondaryDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kAudioDecoder));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DecoderTest, OtherFilesRunNoRegistrar) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    Player player = Player::Start({Media("clip_video.avi")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_video.avi  "));
    // The open is over once the queue is handled; a registrar it started has logged its call
    // once it has ended.
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(player.process.Id(), "regsvr32.exe") == 0; }, 15000));
    EXPECT_TRUE(files.Calls().empty());
    Finish(player);
}

TEST_F(DecoderTest, ADvdFolderSwitchesTheSecondaryDecoderOffAndTheAudioDecoderOnAndOffAgain) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    DecoderFiles::MarkRegistered(decodertest::kSecondaryDecoder);
    std::string disc = MakeTempDirectory("dvd");
    ::CreateDirectoryA((disc + "VIDEO_TS").c_str(), nullptr);
    Player player = Player::Start({disc + "VIDEO_TS\\VIDEO_TS.IFO"});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(files.WaitForCalls(3));
    EXPECT_EQ(
        files.Calls(),
        Expected({{"Ravosec.ax", "unregister"}, {"Ravolit.dll", "register"}, {"Ravolit.dll", "unregister"}}));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kSecondaryDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kAudioDecoder));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(player.process.Id(), "regsvr32.exe") == 0; }, 15000));
    EXPECT_EQ(files.Calls().size(), 3u);  // the video decoder is left alone
    EXPECT_TRUE(player.process.Running());
    Finish(player);
}
