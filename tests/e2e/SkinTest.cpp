// The skinned main window of the real player: its shape, its controls, the skin switch and
// skins that are broken.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <fstream>

#include "PlaybackSession.h"

using namespace e2e;

namespace {

std::string SkinDirectory() {
    return ExeDirectory() + "skin\\";
}

SIZE PictureSize(const std::string& path) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info{};
    if (bitmap) ::GetObjectA(bitmap, sizeof(info), &info);
    if (bitmap) ::DeleteObject(bitmap);
    return SIZE{info.bmWidth, info.bmHeight};
}

SIZE WindowSize(HWND hwnd) {
    RECT r = WindowRect(hwnd);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool HasSize(HWND hwnd, SIZE size) {
    SIZE now = WindowSize(hwnd);
    return now.cx == size.cx && now.cy == size.cy;
}

bool CursorAt(POINT screen) {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

void SaveScreenshot(HWND window, const char* name) {
    std::string dir = ExeDirectory() + "screens\\";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    WaitPainted(window);
    ScreenshotWindow(window, dir + name);
}

// The skin's sliders, the widest first (the position slider of the normal skin).
std::vector<HWND> Sliders(HWND window) {
    std::vector<HWND> sliders;
    for (HWND child : Children(window)) {
        if (ClassName(child) == "msctls_trackbar32") sliders.push_back(child);
    }
    std::sort(sliders.begin(), sliders.end(),
              [](HWND a, HWND b) { return ClientRect(a).right > ClientRect(b).right; });
    return sliders;
}

int SliderPos(HWND slider) {
    return static_cast<int>(Send(slider, TBM_GETPOS).value_or(-1));
}

// Controls of the shipped skins (see scripts/make_art.py).
constexpr POINT kNormalChangeSkin{386 + 9, 9 + 9};
constexpr POINT kSmallChangeSkin{307 + 17, 24 + 8};
constexpr POINT kNormalOpenFiles{16 + 16, 130 + 14};
constexpr POINT kNormalFace{200, 18};
constexpr char kChangeSkinHint[] = "Switch between the full and the small player";

}  // namespace

TEST_F(PlayerTest, ThePlayerStartsInTheNormalSkinWithTheMasksSizeAndShape) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    SIZE mask = PictureSize(SkinDirectory() + "skin1_mask.bmp");
    ASSERT_GT(mask.cx, 0);
    EXPECT_TRUE(HasSize(player.window, mask));
    fw::Region region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(player.window, region.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.Get(), 1, 1));                      // transparent corner
    EXPECT_FALSE(::PtInRegion(region.Get(), mask.cx - 2, mask.cy - 2));  // and the opposite one
    EXPECT_TRUE(::PtInRegion(region.Get(), mask.cx / 2, mask.cy / 2));
    // Every button, text field and slider of the skin is a child window.
    EXPECT_EQ(Children(player.window).size(), 19u + 4u + 2u);
    EXPECT_TRUE(player.boxes->Seen().empty());
    SaveScreenshot(player.window, "skin1.png");
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "skin1.ini");
}

TEST_F(PlayerTest, KSwitchesToTheSmallSkinAndTheSkinInUseIsStoredAtExit) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    SIZE normal = PictureSize(SkinDirectory() + "skin1_mask.bmp");
    SIZE small = PictureSize(SkinDirectory() + "small_mask.bmp");
    ASSERT_TRUE(HasSize(player.window, normal));
    RECT before = WindowRect(player.window);
    PostChar(player.window, 'k');
    ASSERT_TRUE(WaitUntil([&] { return HasSize(player.window, small); }, 5000));
    RECT after = WindowRect(player.window);
    EXPECT_EQ(after.left, before.left);  // the corner stays where it was
    EXPECT_EQ(after.top, before.top);
    // The controls are made after the window takes its new size.
    EXPECT_TRUE(WaitUntil([&] { return Children(player.window).size() == 9u + 2u + 1u; }, 3000));
    SaveScreenshot(player.window, "small.png");
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "small.ini");
}

TEST_F(PlayerTest, TheChangeSkinButtonGoesBackToTheNormalSkinItCameFrom) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    SIZE normal = PictureSize(SkinDirectory() + "skin1_mask.bmp");
    SIZE small = PictureSize(SkinDirectory() + "small_mask.bmp");
    // The pointer rests on the button before the press, as a user's does: the button has seen it
    // once the hint line names it. Until then a press may reach the control the pointer was over
    // before, and a new skin's controls come only after the window has taken its size.
    ASSERT_TRUE(PointAt(player, kNormalChangeSkin, kChangeSkinHint));
    Click(player.window, kNormalChangeSkin.x, kNormalChangeSkin.y);
    ASSERT_TRUE(WaitUntil([&] { return HasSize(player.window, small); }, 5000));
    ASSERT_TRUE(PointAt(player, kSmallChangeSkin, nullptr));  // this skin has no hint line
    Click(player.window, kSmallChangeSkin.x, kSmallChangeSkin.y);
    ASSERT_TRUE(WaitUntil([&] { return HasSize(player.window, normal); }, 5000));
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "skin1.ini");
}

TEST_F(PlayerTest, StartingInTheSmallSkinTheSwitchGoesToTheNormalOne) {
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", SkinDirectory() + "small.ini");
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    EXPECT_TRUE(HasSize(player.window, PictureSize(SkinDirectory() + "small_mask.bmp")));
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil(
        [&] { return HasSize(player.window, PictureSize(SkinDirectory() + "skin1_mask.bmp")); }, 5000));
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "skin1.ini");
}

TEST_F(PlayerTest, TheWindowMovesWithItsFace) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    RECT before = WindowRect(player.window);
    POINT from{before.left + kNormalFace.x, before.top + kNormalFace.y};
    // Let the player see the pointer arrive first, as it would with a real mouse.
    MoveMouse(player.window, kNormalFace.x - 5, kNormalFace.y);
    MoveMouse(player.window, kNormalFace.x, kNormalFace.y);
    EXPECT_TRUE(WaitUntil([&] { return CursorAt(from); }, 3000));
    DragOnScreen(from, POINT{from.x + 60, from.y - 40});
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT now = WindowRect(player.window);
            return now.left == before.left + 60 && now.top == before.top - 40;
        },
        3000))
        << "from " << before.left << "," << before.top << " to " << WindowRect(player.window).left << ","
        << WindowRect(player.window).top;
    ASSERT_TRUE(player.Close());
}

TEST_F(PlayerTest, TheHintLineNamesTheControlUnderTheMouse) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    MoveMouse(player.window, kNormalOpenFiles.x, kNormalOpenFiles.y);
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "Open media files") != nullptr; }, 3000));
    // Leaving, the button still reports its own name; the face clears the hint at the next move.
    MoveMouse(player.window, kNormalFace.x, kNormalFace.y);
    MoveMouse(player.window, kNormalFace.x + 3, kNormalFace.y);
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "Open media files") == nullptr; }, 3000));
    ASSERT_TRUE(player.Close());
}

TEST_F(PlayerTest, DraggingTheVolumeSliderSetsTheVolumeThatIsKeptAtExit) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    std::vector<HWND> sliders = Sliders(player.window);
    ASSERT_EQ(sliders.size(), 2u);
    HWND volume = sliders[1];
    RECT track = ClientRect(volume);
    ASSERT_EQ(SliderPos(volume), 100);
    // From the thumb at the right end to a quarter of the way along.
    Drag(volume, POINT{track.right - 4, track.bottom / 2}, POINT{track.right / 4, track.bottom / 2});
    int dragged = SliderPos(volume);
    EXPECT_GT(dragged, 10);
    EXPECT_LT(dragged, 40);
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredInt("Volume"), static_cast<DWORD>(dragged));
}

TEST_F(PlayerTest, ThePositionSliderSnapsBackWhenNothingIsOpen) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    HWND position = Sliders(player.window).at(0);
    RECT track = ClientRect(position);
    Drag(position, POINT{4, track.bottom / 2}, POINT{track.right / 2, track.bottom / 2});
    EXPECT_EQ(SliderPos(position), 0);
    Click(position, track.right * 3 / 4, track.bottom / 2);  // a jump on the bare track too
    EXPECT_TRUE(WaitUntil([&] { return SliderPos(position) == 0; }, 2000));
    ASSERT_TRUE(player.Close());
}

TEST_F(PlayerTest, AStoredSkinThatIsNotThereGivesWayToTheNormalSkin) {
    std::string gone = MakeTempDirectory("goneskin") + "removed\\skin1.ini";
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", gone);
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "skin1_mask.bmp")); }, 5000));
    EXPECT_FALSE(Sliders(player.window).empty());
    // The skin switch goes to the small skin and back to the normal one, not to the missing one.
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "small_mask.bmp")); }, 5000));
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "skin1_mask.bmp")); }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "skin1.ini");  // the user's choice now
}

TEST_F(PlayerTest, AfterAStoredSmallSkinThatIsNotThereTheFirstSwitchGoesToTheSmallSkin) {
    std::string gone = MakeTempDirectory("gonesmall") + "removed\\small.ini";
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", gone);
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "skin1_mask.bmp")); }, 5000));
    // The window wears the normal skin, so the first press is a switch to the small one.
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "small_mask.bmp")); }, 5000));
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, PictureSize(SkinDirectory() + "skin1_mask.bmp")); }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(PlayerTest, ABrokenSkinDoesNotBringThePlayerDown) {
    std::string dir = MakeTempDirectory("brokenskin");
    std::ofstream(dir + "face.bmp", std::ios::binary) << "not a picture";
    std::ofstream(dir + "broken.ini", std::ios::binary)
        << "[BACKGROUND]\r\nMain=face.bmp\r\nMask=missing.bmp\r\nOver=\r\n"
           "[BUTTON]\r\n1=ID_PLAYBACK_PLAY, 10, 10, 30, 30, Play, F\r\n"
           "2=ID_FILE_SELECTDISC, -99999999999, 99999999999, 99999999999, -1, Open\r\n"
           "3=ID_PLAYBACK_STOP, 1, 1, 1, 1, "
        << std::string(400, 's') << "\r\n"
        << "[TEXTINFO]\r\n1=ID_SONG_NAME, " << std::string(80, 'F')
        << ", T, F, 2000000000, -5, 10, 50, 200, 20, text\r\n"
           "[TRACKBARINFO]\r\n1=IDC_SLIDER1_VOLUME, nothumb.bmp, face.bmp, 10, 80, 100, 10, H, 999999\r\n";
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", dir + "broken.ini");
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    std::optional<MessageBoxInfo> box = player.boxes->WaitForBox(5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "error");
    EXPECT_EQ(box->text, "Can not initialize region!");
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(player.process.Running());
    EXPECT_EQ(Children(player.window).size(), 4u);  // the 400-character entry is refused
    // It still switches to a good skin and back to the broken one.
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil(
        [&] { return HasSize(player.window, PictureSize(SkinDirectory() + "small_mask.bmp")); }, 5000));
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return player.boxes->Seen().size() == 2; }, 5000));
    EXPECT_TRUE(player.process.Running());
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(player.process.ExitCode(), 0u);
    EXPECT_EQ(StoredString("mCurrentSkin"), dir + "broken.ini");
    DeleteRegTree(HKEY_CURRENT_USER, kPlayerKey);  // later runs of the player start from the shipped skin
}

namespace {

// A one-colour 24-bit bitmap file.
void WritePlainBmp(const std::string& path, int width, int height, BYTE level) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + stride * height;
    std::string rows(static_cast<size_t>(stride) * height, static_cast<char>(level));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

// The shipped normal skin copied to a folder of its own, with its mask replaced.
std::string CopyOfTheNormalSkinWithMask(const char* tag, int width, int height, BYTE level) {
    std::string dir = MakeTempDirectory(tag);
    for (const char* name : {"skin1.ini", "skin1_main.bmp", "skin1_over.bmp", "skin1_selected.bmp",
                             "skin1_disabled.bmp", "skin1_position_thumb.bmp", "skin1_position_thumb_down.bmp",
                             "skin1_volume_thumb.bmp", "skin1_volume_thumb_down.bmp"})
        ::CopyFileA((SkinDirectory() + name).c_str(), (dir + name).c_str(), FALSE);
    WritePlainBmp(dir + "skin1_mask.bmp", width, height, level);
    return dir + "skin1.ini";
}

}  // namespace

TEST_F(PlayerTest, ASkinThatWouldBeInvisibleOrCoverTheScreenGivesWayToTheNormalSkinAndIsNotKept) {
    RECT work = WorkArea();
    SIZE normal = PictureSize(SkinDirectory() + "skin1_mask.bmp");
    struct Case {
        std::string ini;
        const char* why;
    } cases[] = {
        {CopyOfTheNormalSkinWithMask("whitemask", normal.cx, normal.cy, 255), "no visible part"},
        {CopyOfTheNormalSkinWithMask("hugemask", work.right - work.left + 50, 40, 0), "larger than the screen"},
    };
    for (const Case& c : cases) {
        DeleteRegTree(HKEY_CURRENT_USER, kPlayerKey);
        WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", c.ini);
        Player player = Player::Start();
        ASSERT_TRUE(player.window) << c.ini;
        std::optional<MessageBoxInfo> box = player.boxes->WaitForBox(10000);
        ASSERT_TRUE(box) << c.ini;
        EXPECT_EQ(box->caption, "Tesmaro Player");
        EXPECT_NE(box->text.find(c.ini), std::string::npos) << box->text;
        EXPECT_NE(box->text.find(c.why), std::string::npos) << box->text;
        // A usable window: the normal skin's size, its controls, on the screen.
        EXPECT_TRUE(WaitUntil([&] { return HasSize(player.window, normal); }, 5000)) << c.ini;
        EXPECT_GT(Children(player.window).size(), 10u);
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
        ASSERT_TRUE(Flush(player.window));
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
        EXPECT_EQ(player.boxes->Seen().size(), 1u);  // told once
        ASSERT_TRUE(player.Close());
        EXPECT_EQ(StoredString("mCurrentSkin"), SkinDirectory() + "skin1.ini");
    }
}
