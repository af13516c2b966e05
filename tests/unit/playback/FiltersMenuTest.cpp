// The Filters submenu and property pages on real graphs, and the filters that an MPEG graph
// loses after rendering.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Commands.h"
#include "EngineSession.h"
#include "TestFilter.h"

namespace {

constexpr UINT kVideoMenu = 132;  // VCDMENU
constexpr UINT kStillMenu = 135;  // STILLMENU

// The player's own menu resources, read from the program file.
class PlayerMenu {
public:
    explicit PlayerMenu(UINT id) {
        mModule = ::LoadLibraryExA(e2e::PlayerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (mModule) mMenu = ::LoadMenuA(mModule, MAKEINTRESOURCEA(id));
    }
    ~PlayerMenu() {
        if (mMenu) ::DestroyMenu(mMenu);
        if (mModule) ::FreeLibrary(mModule);
    }
    PlayerMenu(const PlayerMenu&) = delete;
    PlayerMenu& operator=(const PlayerMenu&) = delete;
    HMENU Popup() const { return mMenu ? ::GetSubMenu(mMenu, 0) : nullptr; }

private:
    HMODULE mModule = nullptr;
    HMENU mMenu = nullptr;
};

struct MenuItem {
    UINT id;
    std::string text;
};

std::vector<MenuItem> Items(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        items.push_back({::GetMenuItemID(menu, i), text});
    }
    return items;
}

// Adds a filter of the test to the player's graph under `name`.
void AddTestFilter(FilePlayer& player, const wchar_t* name, bool withPage) {
    IBaseFilter* filter = filtertest::CreateTestFilter(withPage);
    EXPECT_HRESULT_SUCCEEDED(player.Graph()->AddFilter(filter, name));
    filter->Release();
}

void AddRenderer(IGraphBuilder* graph, const wchar_t* name) {
    IBaseFilter* renderer = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IBaseFilter, reinterpret_cast<void**>(&renderer)));
    EXPECT_HRESULT_SUCCEEDED(graph->AddFilter(renderer, name));
    renderer->Release();
}

// Watches for the property frame of this process on a thread of its own while the engine runs
// the frame's modal loop, notes what it shows and closes it.
class FrameWatcher {
public:
    explicit FrameWatcher(std::string filterName) : mName(std::move(filterName)) {
        mThread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~FrameWatcher() {
        ::WaitForSingleObject(mThread, 20000);
        ::CloseHandle(mThread);
    }
    FrameWatcher(const FrameWatcher&) = delete;
    FrameWatcher& operator=(const FrameWatcher&) = delete;
    void Join() { ::WaitForSingleObject(mThread, 20000); }

    std::string caption;
    bool showedPage = false;

private:
    static DWORD WINAPI Watch(void* self) {
        auto* w = static_cast<FrameWatcher*>(self);
        HWND frame = nullptr;
        e2e::WaitUntil(
            [&] {
                for (HWND hwnd : e2e::TopWindows(::GetCurrentProcessId())) {
                    if (e2e::IsShown(hwnd) && e2e::WindowText(hwnd).find(w->mName) != std::string::npos) {
                        frame = hwnd;
                        return true;
                    }
                }
                return false;
            },
            8000);
        if (!frame) return 0;
        // The frame makes its page once it is shown.
        e2e::WaitUntil([&] { return e2e::FindChild(frame, "Static", filtertest::kPageText) != nullptr; }, 3000);
        w->caption = e2e::WindowText(frame);
        w->showedPage = e2e::FindChild(frame, "Static", filtertest::kPageText) != nullptr;

        e2e::Post(frame, WM_COMMAND, IDCANCEL);
        e2e::WaitUntil([&] { return !::IsWindow(frame); }, 5000);
        return 0;
    }
    std::string mName;
    HANDLE mThread = nullptr;
};

}  // namespace

TEST_F(EngineTest, TheFiltersSubmenuListsTheGraphsFiltersWithIdsFrom47101) {
    ASSERT_TRUE(Open(Media("clip_video.avi")));
    std::vector<std::string> names = FilterNames();
    ASSERT_GE(names.size(), 3u);  // source, splitter and renderer at least

    PlayerMenu menu(kVideoMenu);
    ASSERT_TRUE(menu.Popup());
    HMENU filters = ::GetSubMenu(menu.Popup(), 10);
    ASSERT_TRUE(filters);
    EXPECT_HRESULT_SUCCEEDED(player->FillFiltersMenu(menu.Popup()));
    std::vector<MenuItem> items = Items(filters);
    ASSERT_EQ(items.size(), names.size() + 1);  // behind the separator of the resource
    EXPECT_EQ(items[0].id, 0u);
    for (size_t k = 1; k <= names.size(); ++k) {
        EXPECT_EQ(items[k].id, ID_FILTER_BASE + k);
        EXPECT_EQ(items[k].text, names[k - 1]);
        EXPECT_EQ(player->FilterName(k), names[k - 1]);
    }
    EXPECT_EQ(player->FilterName(0)[0], '\0');  // entry 0 is never used

    // The menu is loaded afresh for every right click and filled again the same way.
    PlayerMenu again(kVideoMenu);
    EXPECT_HRESULT_SUCCEEDED(player->FillFiltersMenu(again.Popup()));
    EXPECT_EQ(Items(::GetSubMenu(again.Popup(), 10)).size(), names.size() + 1);
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(EngineTest, ThePictureMenuHasNoFiltersSubmenuAndNothingIsAppended) {
    ASSERT_TRUE(Open(Media("photo.gif")));
    PlayerMenu menu(kStillMenu);
    ASSERT_TRUE(menu.Popup());
    std::vector<MenuItem> before = Items(menu.Popup());
    ASSERT_EQ(before.size(), 3u);
    EXPECT_HRESULT_SUCCEEDED(player->FillFiltersMenu(menu.Popup()));
    std::vector<MenuItem> after = Items(menu.Popup());
    ASSERT_EQ(after.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(after[i].id, before[i].id);
}

TEST_F(EngineTest, WithoutAGraphTheSubmenuStaysAsTheResourceHasIt) {
    player = std::make_unique<FilePlayer>(::GetModuleHandleA(nullptr), owner);
    PlayerMenu menu(kVideoMenu);
    EXPECT_EQ(player->FillFiltersMenu(menu.Popup()), E_NOINTERFACE);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(menu.Popup(), 10)), 1);
    EXPECT_EQ(player->FillFiltersMenu(nullptr), E_NOINTERFACE);
}

TEST_F(EngineTest, AGraphOfMoreThan63FiltersListsTheFirst63) {
    ASSERT_TRUE(Open(Media("clip_video.avi")));
    for (int i = 0; i < 70; ++i) {
        std::wstring name = L"Extra filter " + std::to_wstring(i);
        AddTestFilter(*player, name.c_str(), false);
    }
    size_t total = FilterNames().size();
    ASSERT_GT(total, 63u);
    PlayerMenu menu(kVideoMenu);
    EXPECT_HRESULT_SUCCEEDED(player->FillFiltersMenu(menu.Popup()));
    std::vector<MenuItem> items = Items(::GetSubMenu(menu.Popup(), 10));
    ASSERT_EQ(items.size(), 64u);
    EXPECT_EQ(items.back().id, 47163u);
    EXPECT_EQ(player->FilterName(63), FilterNames()[62]);
}

TEST_F(EngineTest, ChoosingAFilterWithPropertyPagesOpensItsPropertyFrame) {
    filtertest::PageClassRegistration pageClass;
    ASSERT_TRUE(pageClass.Registered());
    ASSERT_TRUE(Open(Media("clip_video.avi")));
    AddTestFilter(*player, L"Tesmaro Test Filter", true);
    PlayerMenu menu(kVideoMenu);
    ASSERT_HRESULT_SUCCEEDED(player->FillFiltersMenu(menu.Popup()));
    std::vector<std::string> names = FilterNames();
    size_t k = 0;
    while (k < names.size() && names[k] != "Tesmaro Test Filter")
        ++k;
    ASSERT_LT(k, names.size());

    filtertest::LastPage() = {};
    FrameWatcher watcher("Tesmaro Test Filter");
    // The item's command as the popup menu sends it to the video window.
    ::SendMessageA(player->VideoWindowHandle(), WM_COMMAND, ID_FILTER_BASE + 1 + k, 0);
    watcher.Join();
    EXPECT_NE(watcher.caption.find("Tesmaro Test Filter"), std::string::npos) << watcher.caption;
    EXPECT_TRUE(watcher.showedPage);
    EXPECT_EQ(filtertest::LastPage().activated, 1);
    EXPECT_EQ(filtertest::LastPage().objectCount, 1u);
    IBaseFilter* chosen = player->FindFilterByName("Tesmaro Test Filter").Get();
    IUnknown* identity = nullptr;
    chosen->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(filtertest::LastPage().firstObject, identity);
    identity->Release();
    // The engine's modal loop is over: the owner was woken to carry on.
    EXPECT_FALSE(player->InModalLoop());
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(EngineTest, FiltersWithoutPagesAndNamesNoLongerInTheGraphOpenNothing) {
    ASSERT_TRUE(Open(Media("clip_video.avi")));
    AddTestFilter(*player, L"Plain Test Filter", false);
    size_t windowsBefore = e2e::TopWindows(::GetCurrentProcessId()).size();
    filtertest::LastPage() = {};
    DWORD start = ::GetTickCount();
    player->ShowFilterPropertyPage("Plain Test Filter");
    player->ShowFilterPropertyPage("Video Renderer");
    player->ShowFilterPropertyPage("Unknow filter");
    player->ShowFilterPropertyPage("");
    EXPECT_LT(::GetTickCount() - start, 3000u);  // no modal frame was waiting for a user
    EXPECT_EQ(filtertest::LastPage().created, 0);
    EXPECT_EQ(e2e::TopWindows(::GetCurrentProcessId()).size(), windowsBefore);
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(EngineTest, FindFilterByNameMatchesWholeNamesOnly) {
    ASSERT_TRUE(Open(Media("clip_video.avi")));
    AddRenderer(player->Graph(), L"Video Renderer 0001");
    EXPECT_TRUE(player->FindFilterByName("Video Renderer"));
    EXPECT_TRUE(player->FindFilterByName("Video Renderer 0001"));
    EXPECT_FALSE(player->FindFilterByName("Video Renderer 000"));
    EXPECT_FALSE(player->FindFilterByName("video renderer"));
    EXPECT_FALSE(player->FindFilterByName("Video"));
    EXPECT_FALSE(player->FindFilterByName(nullptr));
    Microsoft::WRL::ComPtr<IBaseFilter> a = player->FindFilterByName("Video Renderer");
    Microsoft::WRL::ComPtr<IBaseFilter> b = player->FindFilterByName("Video Renderer 0001");
    EXPECT_NE(a.Get(), b.Get());
}

// An MPEG graph by hand: the program's decoder, the first renderer and one named with a
// suffix, one whose name is one character longer only, and a closed-caption decoder.
class MpegGraphTest : public EngineTest {
protected:
    void BuildGraph(bool withDecoder) {
        player = std::make_unique<FilePlayer>(::GetModuleHandleA(nullptr), owner);
        player->SetPath("c:\\vcd\\avseq01.dat");
        Microsoft::WRL::ComPtr<IGraphBuilder> graph;
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IGraphBuilder,
                                                    reinterpret_cast<void**>(graph.GetAddressOf())));
        player->SetGraphForTest(graph.Get());
        if (withDecoder) AddTestFilter(*player, L"Pellwyn Video Decoder", false);
        AddRenderer(player->Graph(), L"Video Renderer");
        AddRenderer(player->Graph(), L"Video Renderer 0001");
        AddRenderer(player->Graph(), L"Video Renderer0");
        AddTestFilter(*player, L"Line 21 Decoder", false);
    }
    bool Has(const char* name) const {
        for (const std::string& n : FilterNames())
            if (n == name) return true;
        return false;
    }
};

TEST_F(MpegGraphTest, WithTheProgramsDecoderTheSecondRendererAndTheCaptionDecoderGo) {
    BuildGraph(true);
    EXPECT_EQ(player->RemoveExtraFilters(), 1);
    EXPECT_TRUE(Has("Pellwyn Video Decoder"));
    EXPECT_TRUE(Has("Video Renderer"));
    EXPECT_FALSE(Has("Video Renderer 0001"));
    EXPECT_TRUE(Has("Video Renderer0"));  // 15 characters: not a renderer with a suffix
    EXPECT_FALSE(Has("Line 21 Decoder"));
    EXPECT_EQ(FilterNames().size(), 3u);
}

TEST_F(MpegGraphTest, WithoutTheProgramsDecoderTheGraphStaysAsBuilt) {
    BuildGraph(false);
    EXPECT_EQ(player->RemoveExtraFilters(), 0);
    EXPECT_EQ(FilterNames().size(), 4u);
    EXPECT_TRUE(Has("Line 21 Decoder"));
}

TEST_F(MpegGraphTest, OnlyMpegFilesLoseFilters) {
    BuildGraph(true);
    player->SetPath("c:\\clips\\clip.avi");
    EXPECT_EQ(player->RemoveExtraFilters(), 0);
    EXPECT_EQ(FilterNames().size(), 5u);
}

TEST_F(MpegGraphTest, OneRendererWithASuffixGoesPerCall) {
    BuildGraph(false);
    AddRenderer(player->Graph(), L"Video Renderer 0002");
    player->RemoveDuplicateRenderer("Video Renderer");
    int suffixed = Has("Video Renderer 0001") + Has("Video Renderer 0002");
    EXPECT_EQ(suffixed, 1);
    player->RemoveDuplicateRenderer("Video Renderer");
    EXPECT_FALSE(Has("Video Renderer 0001") || Has("Video Renderer 0002"));
    player->RemoveDuplicateRenderer("Video Renderer");  // nothing left to remove
    EXPECT_TRUE(Has("Video Renderer"));
    EXPECT_TRUE(Has("Video Renderer0"));
}
