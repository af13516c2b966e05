// A bookmark of our navigator as the DVD engine keeps one: IDvdInfo2::GetState, OleSaveToStream
// into a stream of a structured-storage file, and later, in another graph, OleLoadFromStream
// (which finds our state class through the graph builder) and IDvdControl2::SetState.
#include <gtest/gtest.h>

#include <objbase.h>
#include <ole2.h>

#include <string>

#include "DvdStateObject.h"
#include "NavGraph.h"

using namespace navtest;

namespace {

std::wstring BookmarkPath() {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + "tm_nav_bookmark.bmk";
    return std::wstring(path.begin(), path.end());
}

constexpr DWORD kWrite = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE;
constexpr DWORD kRead = STGM_SHARE_EXCLUSIVE | STGM_READ;

bool Save(IDvdInfo2* info, const std::wstring& path) {
    ComPtr<IDvdState> state;
    if (FAILED(info->GetState(state.GetAddressOf()))) return false;
    ComPtr<IStorage> storage;
    if (FAILED(::StgCreateDocfile(path.c_str(), kWrite, 0, storage.GetAddressOf()))) return false;
    ComPtr<IStream> stream;
    if (FAILED(storage->CreateStream(L"DVDBookmarks", kWrite, 0, 0, stream.GetAddressOf()))) return false;
    ComPtr<IPersistStream> persist;
    if (FAILED(Query(state.Get(), IID_IPersistStream, persist))) return false;
    return SUCCEEDED(::OleSaveToStream(persist.Get(), stream.Get()));
}

HRESULT Restore(IDvdControl2* control, const std::wstring& path) {
    ComPtr<IStorage> storage;
    HRESULT hr = ::StgOpenStorage(path.c_str(), nullptr, kRead, nullptr, 0, storage.GetAddressOf());
    if (FAILED(hr)) return hr;
    ComPtr<IStream> stream;
    hr = storage->OpenStream(L"DVDBookmarks", nullptr, kRead, 0, stream.GetAddressOf());
    if (FAILED(hr)) return hr;
    ComPtr<IDvdState> state;
    hr = ::OleLoadFromStream(stream.Get(), IID_IDvdState, reinterpret_cast<void**>(state.GetAddressOf()));
    if (FAILED(hr)) return hr;
    return control->SetState(state.Get(), DVD_CMD_FLAG_Block, nullptr);
}

class NavigatorBookmark : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override {
        ::DeleteFileW(BookmarkPath().c_str());
        ::CoUninitialize();
    }
};

TEST_F(NavigatorBookmark, RestoresTitleAndTimeInAnotherGraph) {
    int64_t savedMs;
    {
        NavGraph nav(DiscIfo("colours"));
        ASSERT_TRUE(nav.Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav.Play());
        ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
        DVD_HMSF_TIMECODE at{0, 0, 7, 0};
        ASSERT_HRESULT_SUCCEEDED(nav.control->PlayAtTime(&at, DVD_CMD_FLAG_Block, nullptr));
        ASSERT_TRUE(nav.WaitForTime(8000));
        ASSERT_TRUE(Save(nav.info.Get(), BookmarkPath()));
        DVD_PLAYBACK_LOCATION2 where{};
        ASSERT_HRESULT_SUCCEEDED(nav.info->GetCurrentLocation(&where));
        savedMs = where.TimeCode.bSeconds * 1000LL;
    }
    NavGraph nav(DiscIfo("colours"));
    ASSERT_TRUE(nav.Prepare());
    ASSERT_HRESULT_SUCCEEDED(nav.Play());
    ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_HRESULT_SUCCEEDED(nav.control->PlayTitle(2, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 2; }));
    nav.Mark();
    ASSERT_HRESULT_SUCCEEDED(Restore(nav.control.Get(), BookmarkPath()));
    ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_TRUE(nav.WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    EXPECT_NEAR(static_cast<double>(savedMs), static_cast<double>(nav.LastTimeMs()), 1000.0);
    Colour c;
    ASSERT_TRUE(nav.ShownColour(c));
    EXPECT_TRUE(IsGreen(c)) << c.r << "," << c.g << "," << c.b;
}

TEST_F(NavigatorBookmark, AStateOfAnotherDiscIsRefused) {
    NavGraph nav(DiscIfo("colours"));
    ASSERT_TRUE(nav.Prepare());
    navigator::SavedState other;
    other.discId = 12345;
    other.title = 1;
    ComPtr<IDvdState> state;
    ASSERT_HRESULT_SUCCEEDED(navigator::CreateDvdState(other, state.GetAddressOf()));
    EXPECT_EQ(VFW_E_DVD_STATE_WRONG_DISC, nav.control->SetState(state.Get(), DVD_CMD_FLAG_Block, nullptr));
}

TEST_F(NavigatorBookmark, ADamagedBookmarkDoesNotLoad) {
    NavGraph nav(DiscIfo("colours"));  // keeps our state class registered
    ASSERT_TRUE(nav.Prepare());
    ComPtr<IStorage> storage;
    ASSERT_HRESULT_SUCCEEDED(::StgCreateDocfile(BookmarkPath().c_str(), kWrite, 0, storage.GetAddressOf()));
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(storage->CreateStream(L"DVDBookmarks", kWrite, 0, 0, stream.GetAddressOf()));
    ASSERT_HRESULT_SUCCEEDED(::WriteClassStm(stream.Get(), navigator::kNavigatorStateClsid));
    const char garbage[] = "TNAV but not a state at all";
    ULONG written = 0;
    ASSERT_HRESULT_SUCCEEDED(stream->Write(garbage, sizeof garbage, &written));
    stream.Reset();
    storage.Reset();
    EXPECT_TRUE(FAILED(Restore(nav.control.Get(), BookmarkPath())));
}

}  // namespace
