// The DVD engine's volume, balance, colour and region controls on the platform's own parts: the
// engine's sound operations on a real graph's IBasicAudio, the platform's DVD graph builder, and a stand-in
// region tool library in the system directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <dshow.h>

#include <string>

#include "DecoderFiles.h"
#include "Driver.h"
#include "DvdOutput.h"
#include "DvdPlayer.h"

namespace {

constexpr char kRegionKey[] = "Software\\TesmaroTest\\Region";

class DvdAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        boxes = std::make_unique<e2e::MessageBoxGuard>(::GetCurrentProcessId());
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IGraphBuilder, reinterpret_cast<void**>(&graph)));
        std::wstring tone;
        for (char c : e2e::MediaDirectory() + "tone.wav")
            tone.push_back(static_cast<wchar_t>(c));
        ASSERT_HRESULT_SUCCEEDED(graph->RenderFile(tone.c_str(), nullptr));
        ASSERT_HRESULT_SUCCEEDED(graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)));
        player = std::make_unique<DvdPlayer>(::GetModuleHandleA(nullptr), nullptr, nullptr);
        player->SetAudioForTest(audio);
    }
    void TearDown() override {
        player.reset();
        if (audio) audio->Release();
        if (graph) graph->Release();
        boxes.reset();
        ::CoUninitialize();
    }
    long Volume() const {
        long volume = 1;
        EXPECT_HRESULT_SUCCEEDED(audio->get_Volume(&volume));
        return volume;
    }
    long Balance() const {
        long balance = 1;
        EXPECT_HRESULT_SUCCEEDED(audio->get_Balance(&balance));
        return balance;
    }

    IGraphBuilder* graph = nullptr;
    IBasicAudio* audio = nullptr;
    std::unique_ptr<DvdPlayer> player;
    std::unique_ptr<e2e::MessageBoxGuard> boxes;
};

TEST_F(DvdAudioTest, VolumeStepsStopAtFullAndAtSilence) {
    ASSERT_HRESULT_SUCCEEDED(audio->put_Volume(0));
    EXPECT_HRESULT_SUCCEEDED(player->DvdVolumeUp());
    EXPECT_EQ(0, Volume());
    EXPECT_EQ(0, player->StoredVolume());
    EXPECT_HRESULT_SUCCEEDED(player->DvdVolumeDown());
    EXPECT_EQ(-500, Volume());
    EXPECT_EQ(-500, player->StoredVolume());
    ASSERT_HRESULT_SUCCEEDED(audio->put_Volume(-9800));
    EXPECT_HRESULT_SUCCEEDED(player->DvdVolumeDown());
    EXPECT_EQ(-10000, Volume());
    EXPECT_HRESULT_SUCCEEDED(player->DvdVolumeDown());
    EXPECT_EQ(-10000, Volume());
    EXPECT_EQ(-10000, player->StoredVolume());
}

TEST_F(DvdAudioTest, MuteReturnsToTheLastVolumeSetAndAStepAfterMuteStartsFromSilence) {
    EXPECT_HRESULT_SUCCEEDED(player->DvdSetVolumeFraction(0.5f));
    EXPECT_EQ(-1000, Volume());
    EXPECT_HRESULT_SUCCEEDED(player->DvdToggleMute());
    EXPECT_EQ(-10000, Volume());
    EXPECT_EQ(-1000, player->StoredVolume());
    EXPECT_HRESULT_SUCCEEDED(player->DvdToggleMute());
    EXPECT_EQ(-1000, Volume());

    EXPECT_HRESULT_SUCCEEDED(player->DvdToggleMute());
    EXPECT_HRESULT_SUCCEEDED(player->DvdVolumeUp());
    EXPECT_EQ(-9500, Volume());
    EXPECT_EQ(-9500, player->StoredVolume());
}

TEST_F(DvdAudioTest, MutingTwiceWithoutAVolumeSetReturnsToFull) {
    ASSERT_HRESULT_SUCCEEDED(audio->put_Volume(-3000));
    EXPECT_HRESULT_SUCCEEDED(player->DvdToggleMute());
    EXPECT_EQ(-10000, Volume());
    EXPECT_HRESULT_SUCCEEDED(player->DvdToggleMute());
    EXPECT_EQ(0, Volume());
}

TEST_F(DvdAudioTest, TheSliderFollowsTheLoudnessCurveToItsEnds) {
    const struct {
        float fraction;
        long volume;
    } points[] = {{0.0f, -10000}, {0.005f, -10000}, {0.01f, -4950}, {0.1f, -4500}, {0.2f, -2400},
                  {0.3f, -2100},  {0.5f, -1000},    {0.75f, -500},  {1.0f, 0}};
    for (const auto& point : points) {
        EXPECT_HRESULT_SUCCEEDED(player->DvdSetVolumeFraction(point.fraction));
        EXPECT_EQ(point.volume, Volume()) << point.fraction;
        EXPECT_EQ(point.volume, player->StoredVolume()) << point.fraction;
    }
}

TEST_F(DvdAudioTest, ChannelsSetTheBalanceAndAnUnknownChoiceSaysSo) {
    EXPECT_HRESULT_SUCCEEDED(player->DvdSetAudioChannel(-1));
    EXPECT_EQ(-10000, Balance());
    EXPECT_HRESULT_SUCCEEDED(player->DvdSetAudioChannel(1));
    EXPECT_EQ(10000, Balance());
    EXPECT_HRESULT_SUCCEEDED(player->DvdSetAudioChannel(0));
    EXPECT_EQ(0, Balance());
    ASSERT_HRESULT_SUCCEEDED(audio->put_Balance(-3000));
    EXPECT_TRUE(boxes->Seen().empty());
    EXPECT_HRESULT_SUCCEEDED(player->DvdSetAudioChannel(2));
    EXPECT_EQ(-3000, Balance());
    auto seen = boxes->Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("error", seen[0].caption);
    EXPECT_EQ("unknown channel settings", seen[0].text);
}

TEST(DvdAudioWithoutRenderer, DoesNothingQuietly) {
    ::CoInitialize(nullptr);
    {
        DvdPlayer player(::GetModuleHandleA(nullptr), nullptr, nullptr);
        player.SetStoredVolume(-700);
        EXPECT_EQ(S_OK, player.DvdVolumeUp());
        EXPECT_EQ(S_OK, player.DvdToggleMute());
        EXPECT_EQ(S_OK, player.DvdSetVolumeFraction(0.5f));
        EXPECT_EQ(S_OK, player.DvdSetAudioChannel(1));
        EXPECT_EQ(-700, player.StoredVolume());

        // A graph without an audio renderer has no volume control to offer.
        IGraphBuilder* graph = nullptr;
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IGraphBuilder, reinterpret_cast<void**>(&graph)));
        IBasicAudio* audio = nullptr;
        ASSERT_HRESULT_SUCCEEDED(graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)));
        player.SetAudioForTest(audio);
        long probe = 0;
        ASSERT_EQ(E_NOTIMPL, audio->get_Volume(&probe));
        EXPECT_EQ(S_OK, player.DvdVolumeUp());
        EXPECT_EQ(S_OK, player.DvdVolumeDown());
        EXPECT_EQ(S_OK, player.DvdToggleMute());
        EXPECT_EQ(S_OK, player.DvdSetAudioChannel(1));
        player.SetAudioForTest(nullptr);
        audio->Release();
        graph->Release();
    }
    ::CoUninitialize();
}

TEST(DvdBrightness, WithoutAGraphNothingHappensAndWithoutAnOverlayTheUserIsTold) {
    e2e::MessageBoxGuard boxes(::GetCurrentProcessId());
    EXPECT_EQ(S_OK, SetFullBrightness(nullptr));
    EXPECT_TRUE(boxes.Seen().empty());

    ::CoInitialize(nullptr);
    IDvdGraphBuilder* builder = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IDvdGraphBuilder, reinterpret_cast<void**>(&builder)))) {
        // The platform's builder has rendered nothing, so it has no overlay mixer to give.
        EXPECT_TRUE(FAILED(SetFullBrightness(builder)));
        auto seen = boxes.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("DVD Error!", seen[0].caption);
        EXPECT_EQ("Cannot get the IID_IMixerPinConfig2 interface.Sorry, can't control DVD color.",
                  seen[0].text);
        builder->Release();
    }
    ::CoUninitialize();
}

// The region tool library in the system directory for the life of the object.
class RegionToolInPlace {
public:
    explicit RegionToolInPlace(DWORD answer) {
        e2e::DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
        e2e::WriteRegDword(HKEY_CURRENT_USER, kRegionKey, "Answer", answer);
        std::string probe = e2e::ExeDirectory() + "region_tool_probe.dll";
        mPlaced = ::CopyFileA(probe.c_str(), Target().c_str(), FALSE) != FALSE;
    }
    ~RegionToolInPlace() {
        // The library may still be mapped for a moment after the call returns.
        e2e::WaitUntil(
            [&] { return ::DeleteFileA(Target().c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; },
            5000);
        e2e::DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
    }
    RegionToolInPlace(const RegionToolInPlace&) = delete;
    RegionToolInPlace& operator=(const RegionToolInPlace&) = delete;
    bool Placed() const { return mPlaced; }
    static std::string Target() { return decodertest::SystemDirectory() + "\\storprop.dll"; }

private:
    bool mPlaced = false;
};

TEST(DvdRegionTool, IsGivenTheOwnerAndDriveAndItsAnswerCounts) {
    HWND owner =
        ::CreateWindowExA(0, "STATIC", "video", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        RegionToolInPlace tool(1);
        ASSERT_TRUE(tool.Placed());
        EXPECT_TRUE(RunRegionTool(owner, 'E'));
        EXPECT_EQ("E", e2e::ReadRegString(HKEY_CURRENT_USER, kRegionKey, "Drive").value_or(""));
        EXPECT_EQ(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner)),
                  e2e::ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Owner").value_or(0));
    }
    {
        RegionToolInPlace refusing(0);
        ASSERT_TRUE(refusing.Placed());
        EXPECT_FALSE(RunRegionTool(owner, 'D'));
        EXPECT_EQ(1u, e2e::ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Calls").value_or(0));
    }
    ::DestroyWindow(owner);
}

TEST(DvdRegionTool, AMissingLibraryMeansNoChange) {
    ::DeleteFileA(RegionToolInPlace::Target().c_str());
    EXPECT_FALSE(RunRegionTool(nullptr, 'D'));
}

TEST(DvdRegionTool, RestartNeedsTheGraphAndTheNavigator) {
    EXPECT_EQ(E_POINTER, RestartNavigator(nullptr, nullptr));
    char drive = 'x';
    EXPECT_FALSE(GetRegionDrive(nullptr, drive));
    EXPECT_EQ('x', drive);
}

}  // namespace
