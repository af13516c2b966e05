// Capturing the frame of a playing video into a bitmap file, on real graphs: the file the
// platform then decodes, the state the player is left in, and the paths it cannot write.
#include <windows.h>

#include "EngineSession.h"

namespace {

// The captured file decoded by the platform's own bitmap loader.
bool DecodesAsBitmap(const std::string& path, long& width, long& height) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);
    ::DeleteObject(bitmap);
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

// Waits until the graph has played at least `ms` of the clip (its frames are being drawn).
bool PlayedFor(FilePlayer& player, int ms) {
    return e2e::WaitUntil(
        [&] {
            player.PollPosition();
            return player.GetPosition() >= static_cast<int64_t>(ms) * 10000;
        },
        10000);
}

// Whether the graph has finished changing to `state` (a paused graph holds its frame then).
bool GraphIn(FilePlayer& player, FILTER_STATE state) {
    Microsoft::WRL::ComPtr<IMediaControl> control;
    if (!player.Graph() || FAILED(player.Graph()->QueryInterface(IID_PPV_ARGS(&control)))) return false;
    OAFilterState now = 0;
    return control->GetState(0, &now) == S_OK && now == state;
}

// Handles what this thread has been posted so far (the video window's graph events, a report).
void HandlePosted() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CaptureTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        directory = e2e::MakeTempDirectory("capture");
    }
    std::string directory;
};

}  // namespace

TEST_F(CaptureTest, APlayingVideosFrameBecomesABitmapFileOfTheVideosSizeAndPlaybackGoesOn) {
    ASSERT_TRUE(Open(Media("clip_long.avi")));
    ASSERT_TRUE(PlayedFor(*player, 500));
    std::string path = directory + "VideoImage.bmp";
    EXPECT_TRUE(player->CaptureFrame(path.c_str()));
    EXPECT_EQ(player->GetState(), Running);
    long width = 0, height = 0;
    ASSERT_TRUE(DecodesAsBitmap(path, width, height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);

    // The header in front says how long the file is and where the pixels start.
    fw::FileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    DWORD read = 0;
    ::ReadFile(file.Get(), &header, sizeof(header), &read, nullptr);
    ::ReadFile(file.Get(), &info, sizeof(info), &read, nullptr);
    EXPECT_EQ(header.bfType, 0x4D42);
    EXPECT_EQ(header.bfSize, ::GetFileSize(file.Get(), nullptr));
    EXPECT_EQ(header.bfOffBits, sizeof(header) + info.biSize);
    EXPECT_EQ(info.biWidth, 320);
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(CaptureTest, CapturingWhilePausedLeavesTheVideoRunning) {
    ASSERT_TRUE(Open(Media("clip_long.avi")));
    ASSERT_TRUE(PlayedFor(*player, 300));
    player->Pause();
    ASSERT_EQ(player->GetState(), Paused);
    ASSERT_TRUE(e2e::WaitUntil([&] { return GraphIn(*player, State_Paused); }, 5000));
    std::string path = directory + "paused.bmp";
    EXPECT_TRUE(player->CaptureFrame(path.c_str()));
    EXPECT_EQ(player->GetState(), Running);
    long width = 0, height = 0;
    EXPECT_TRUE(DecodesAsBitmap(path, width, height));
    // An existing file is overwritten.
    EXPECT_TRUE(player->CaptureFrame(path.c_str()));
    EXPECT_TRUE(DecodesAsBitmap(path, width, height));
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(CaptureTest, AFileThatCannotBeCreatedIsSkippedSilentlyAndThePlayerStaysPaused) {
    ASSERT_TRUE(Open(Media("clip_long.avi")));
    ASSERT_TRUE(PlayedFor(*player, 300));
    // A folder of that name is in the way.
    std::string path = directory + "VideoImage.bmp";
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(player->CaptureFrame(path.c_str()));
    EXPECT_EQ(player->GetState(), Paused);
    std::string missing = directory + "no such folder\\VideoImage.bmp";
    EXPECT_FALSE(player->CaptureFrame(missing.c_str()));
    EXPECT_FALSE(Exists(missing));
    // A box would be shown by now, from the capture itself or from what it posted.
    HandlePosted();
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(CaptureTest, AFailedWriteIsReportedWithThePathAndPlaybackGoesOn) {
    ASSERT_TRUE(Open(Media("clip_long.avi")));
    ASSERT_TRUE(PlayedFor(*player, 300));
    // The device that is always full: it opens, but nothing can be written to it.
    fw::FileHandle full(::CreateFileA("Z:\\dev\\full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(full);
    full.Reset();
    EXPECT_TRUE(player->CaptureFrame("Z:\\dev\\full"));
    std::optional<e2e::MessageBoxInfo> box = boxes->WaitForBox(5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "error report");
    EXPECT_EQ(box->text, "can not capture Z:\\dev\\full!");
    EXPECT_EQ(player->GetState(), Running);
}

TEST_F(CaptureTest, PicturesAndSoundsHaveNoFrameToCapture) {
    for (const char* name : {"tone.wav", "photo.gif"}) {
        ASSERT_TRUE(Open(Media(name))) << name;
        // Settled: the sound runs; the picture's stream has ended and the player holds it.
        bool picture = std::string(name) == "photo.gif";
        EXPECT_TRUE(e2e::WaitUntil(
            [&] {
                return picture ? player->GetState() == Stopped && GraphIn(*player, State_Paused)
                               : GraphIn(*player, State_Running);
            },
            10000))
            << name << " " << player->GetState();
        FilePlayerState before = player->GetState();
        std::string path = directory + name + ".bmp";
        EXPECT_FALSE(player->CaptureFrame(path.c_str())) << name;
        EXPECT_FALSE(Exists(path)) << name;
        EXPECT_EQ(player->GetState(), before) << name;
        Close();
    }
    // Nor has a player with nothing open.
    player = std::make_unique<FilePlayer>(::GetModuleHandleA(nullptr), owner);
    EXPECT_FALSE(player->CaptureFrame((directory + "none.bmp").c_str()));
    EXPECT_TRUE(boxes->Seen().empty());
}
