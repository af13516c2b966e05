// Still pictures in the real player under Wine: the window sized to the picture, the picture
// menu, no time display, the transport buttons of a picture show, scroll bars and scrolling with
// the mouse, full screen and zoom, and pictures that cannot be shown.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "PlaybackSession.h"

using namespace e2e;

namespace {

constexpr char kCannotPlay[] =
    "Tesmaro Player cannot play the file.  The file is either corrupt or\nthe appropriate decoders need to "
    "be installed.\nFor more information, please visit our website.";

// The normal skin's transport keys (see scripts/make_art.py), by their centres.
struct Key {
    const char* name;
    POINT centre;
};
constexpr Key kTransportKeys[] = {
    {"previous", {96 + 16, 130 + 14}}, {"skip back", {131 + 16, 130 + 14}},
    {"play", {167 + 18, 126 + 18}},    {"pause", {207 + 16, 130 + 14}},
    {"stop", {242 + 16, 130 + 14}},    {"skip forward", {277 + 16, 130 + 14}},
    {"next", {312 + 16, 130 + 14}},
};

bool KeyEnabled(HWND main, POINT centre) {
    HWND button = ::ChildWindowFromPointEx(main, centre, CWP_ALL);
    return button && button != main && ::IsWindowEnabled(button);
}

bool HasStyle(HWND hwnd, LONG style) {
    return (::GetWindowLongA(hwnd, GWL_STYLE) & style) == style;
}

// The client rectangle of hwnd on the screen.
RECT ClientOnScreen(HWND hwnd) {
    RECT r = ClientRect(hwnd);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A picture file's pixels as the platform's imaging component decodes them (0x00RRGGBB).
class Picture {
public:
    explicit Picture(const std::string& path) {
        ::CoInitialize(nullptr);
        IWICImagingFactory* factory = nullptr;
        IWICBitmapDecoder* decoder = nullptr;
        IWICBitmapFrameDecode* frame = nullptr;
        IWICFormatConverter* converter = nullptr;
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) &&
            SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                            nullptr, 0, WICBitmapPaletteTypeCustom))) {
            UINT w = 0, h = 0;
            converter->GetSize(&w, &h);
            mPixels.resize(static_cast<size_t>(w) * h);
            if (SUCCEEDED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                                reinterpret_cast<BYTE*>(mPixels.data())))) {
                mWidth = static_cast<int>(w);
                mHeight = static_cast<int>(h);
            }
        }
        for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                                 static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
            if (object) object->Release();
    }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    COLORREF At(int x, int y) const {
        uint32_t p = mPixels[static_cast<size_t>(y) * mWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    std::vector<uint32_t> mPixels;
    int mWidth = 0;
    int mHeight = 0;
};

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// Whether the screen shows `picture` with its point (offsetX, offsetY) at screen point `origin`,
// judged on a grid of sample points inside `visible` (screen coordinates).
bool ScreenShows(const Picture& picture, POINT origin, int offsetX, int offsetY, RECT visible,
                 std::string& why) {
    int samples = 0, matches = 0;
    for (int y = visible.top + 7; y < visible.bottom - 7; y += 53) {
        for (int x = visible.left + 5; x < visible.right - 5; x += 61) {
            int px = x - origin.x + offsetX, py = y - origin.y + offsetY;
            if (px < 0 || py < 0 || px >= picture.Width() || py >= picture.Height()) continue;
            ++samples;
            COLORREF screen = ScreenPixel(x, y);
            if (Near(screen, picture.At(px, py))) {
                ++matches;
            } else if (why.empty()) {
                char colours[64];
                std::snprintf(colours, sizeof(colours), " (%06lx, not %06lx)", screen, picture.At(px, py));
                why = "screen " + std::to_string(x) + "," + std::to_string(y) + " differs from picture " +
                      std::to_string(px) + "," + std::to_string(py) + colours;
            }
        }
    }
    // A few samples may fall on the edge of a pattern's stripe; the rest must agree.
    return samples >= 10 && matches * 10 >= samples * 9;
}

// The same, waited for: the player shows a picture a moment after it has placed it.
bool ScreenComesToShow(const Picture& picture, POINT origin, int offsetX, int offsetY, RECT visible,
                       std::string& why) {
    return WaitUntil(
        [&] {
            why.clear();
            return ScreenShows(picture, origin, offsetX, offsetY, visible, why);
        },
        3000, 100);
}

}  // namespace

TEST_F(PlayerTest, AJpegOpensInAWindowSizedToThePictureWithThePictureMenuAndNoTime) {
    Player player = Player::Start({Media("photo.jpg")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "photo.jpg  ");
    ASSERT_TRUE(video);
    // At the screen's top-left corner, the client area exactly the picture, no scroll bars.
    RECT r = WindowRect(video);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    RECT client = ClientRect(video);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_FALSE(HasStyle(video, WS_HSCROLL) || HasStyle(video, WS_VSCROLL));
    ASSERT_TRUE(WaitUntil(
        [&] { return WindowRect(RendererOf(video)).right - WindowRect(RendererOf(video)).left == 400; },
        5000));
    RECT picture = WindowRect(RendererOf(video));
    RECT area = ClientOnScreen(video);
    EXPECT_EQ(picture.left, area.left);
    EXPECT_EQ(picture.top, area.top);
    EXPECT_EQ(picture.bottom - picture.top, 300);

    // The name shows; the time keeps the zeros of nothing open, however long the picture stays.
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "photo.jpg") != nullptr; }, 5000));
    // The name comes with the first refresh of the status; the position poll refreshes it every
    // second, so two and a half seconds see two more refreshes and the end of the picture's
    // stream. Nothing shows a time or a state all along.
    EXPECT_TRUE(HoldsFor(
        [&] {
            if (TimeText(player.window) != "00:00:00     00:00:00") return false;
            for (const char* word : {"PLAY", "PAUSE", "STOP"})
                if (ChildWithText(player.window, word)) return false;
            return true;
        },
        2500));
    EXPECT_EQ(TimeText(player.window), "00:00:00     00:00:00");
    for (const char* word : {"PLAY", "PAUSE", "STOP"})
        EXPECT_FALSE(ChildWithText(player.window, word)) << word;

    // A picture show is stepped through the playlist: next and previous only.
    for (const Key& key : kTransportKeys) {
        bool step = std::string(key.name) == "next" || std::string(key.name) == "previous";
        EXPECT_EQ(KeyEnabled(player.window, key.centre), step) << key.name;
    }

    // The picture menu: three items, no Filters submenu.
    HWND menu = OpenVideoMenu(player, video);
    ASSERT_TRUE(menu);
    WaitUntil([&] { return IsShown(menu) && WindowRect(menu).bottom - WindowRect(menu).top == 3 * 17 + 2 * 3; },
              3000);
    EXPECT_EQ(WindowRect(menu).bottom - WindowRect(menu).top, 3 * 17 + 2 * 3);
    WaitPainted(menu);
    Screenshot("C:\\tesmaro_picture_menu.png");
    CloseMenu(menu);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, APictureStaysUntilTheUserStepsToTheNextOne) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(
        ChooseInOpenDialog(player, MediaDirectory(), "\"photo.gif\" \"tall.gif\" \"clip_short.avi\""));
    HWND first = WaitForVideoTitle(player, "photo.gif  ", 10000);
    ASSERT_TRUE(first);
    // A picture's stream ends with its one frame, a tenth of a second at most; what the player
    // does at that end is done well within the three seconds watched here. The picture stays.
    EXPECT_TRUE(HoldsFor(
        [&] { return ::IsWindow(first) && WindowText(first) == "photo.gif  "; }, 3000));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(::IsWindow(first));
    EXPECT_EQ(WindowText(first), "photo.gif  ");
    Picture photo(Media("photo.gif"));
    ASSERT_EQ(photo.Width(), 400);
    RECT area = ClientOnScreen(first);
    std::string why;
    EXPECT_TRUE(ScreenComesToShow(photo, {area.left, area.top}, 0, 0, area, why)) << why;

    POINT next = kTransportKeys[6].centre;
    ASSERT_TRUE(PointAt(player, next, "Next entry or chapter"));
    Click(player.window, next.x, next.y);
    EXPECT_TRUE(WaitForVideoTitle(player, "tall.gif  ", 10000));
    PostCommand(player.window, ID_PLAYBACK_PREVIOUSCHAPTER);  // the tall picture covers that key
    EXPECT_TRUE(WaitForVideoTitle(player, "photo.gif  ", 10000));
    // From a picture to a video, the buttons come back.
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_short.avi  ", 10000));
    EXPECT_TRUE(WaitUntil([&] { return KeyEnabled(player.window, kTransportKeys[2].centre); }, 3000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, APictureLargerThanTheWorkAreaGetsBothScrollBarsAndTheMouseScrollsIt) {
    Player player = Player::Start({Media("large.gif")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "large.gif  ");
    ASSERT_TRUE(video);
    RECT work = WorkArea();
    RECT r = WindowRect(video);
    EXPECT_EQ(r.right - r.left, work.right - work.left);
    EXPECT_EQ(r.bottom - r.top, work.bottom - work.top);
    EXPECT_TRUE(HasStyle(video, WS_HSCROLL | WS_VSCROLL));
    HWND renderer = RendererOf(video);
    RECT area = ClientOnScreen(video);
    ASSERT_TRUE(
        WaitUntil([&] { return WindowRect(renderer).right - WindowRect(renderer).left == 2000; }, 5000));
    EXPECT_EQ(WindowRect(renderer).left, area.left);
    EXPECT_EQ(WindowRect(renderer).bottom - WindowRect(renderer).top, 1500);
    Picture large(Media("large.gif"));
    ASSERT_EQ(large.Width(), 2000);
    std::string first;
    EXPECT_TRUE(ScreenComesToShow(large, {area.left, area.top}, 0, 0, area, first)) << first;

    int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    int barY = ClientRect(video).bottom + ::GetSystemMetrics(SM_CYHSCROLL) / 2;
    int widthShown = area.right - area.left;
    // The right arrow: one pixel a step (a slow machine may see the arrow held long enough to
    // repeat). The window is made active first, so the click goes to the bar, not to activation.
    ::SetForegroundWindow(video);
    WaitUntil([&] { return ::GetForegroundWindow() == video; }, 3000);
    MoveMouse(video, ClientRect(video).right - arrow / 2, barY);
    Click(video, ClientRect(video).right - arrow / 2, barY);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(renderer).left < area.left; }, 3000));
    // The arrow steps while it is held: the steps are over once the bar lets the mouse go.
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(video) != video; }, 3000));
    ASSERT_TRUE(Flush(player.window));
    int stepped = area.left - WindowRect(renderer).left;
    EXPECT_LE(stepped, 20);
    std::string why;
    EXPECT_TRUE(ScreenComesToShow(large, {area.left, area.top}, stepped, 0, area, why)) << why;
    // The trough right of the thumb: a page is the whole range, so the right end.
    Click(video, ClientRect(video).right - arrow - 30, barY);
    int end = 2000 - widthShown;
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(renderer).left == area.left - end; }, 3000))
        << WindowRect(renderer).left;
    EXPECT_TRUE(ScreenComesToShow(large, {area.left, area.top}, end, 0, area, why)) << why;
    Screenshot("C:\\tesmaro_picture_scrolled.png");

    // The vertical thumb dragged halfway down.
    int thumbX = ClientRect(video).right + ::GetSystemMetrics(SM_CXVSCROLL) / 2;
    int thumbY = ::GetSystemMetrics(SM_CYVSCROLL) + 5;
    Drag(video, {thumbX, thumbY}, {thumbX, ClientRect(video).bottom / 2});
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(renderer).top < area.top - 100; }, 3000));
    int down = area.top - WindowRect(renderer).top;
    EXPECT_TRUE(ScreenComesToShow(large, {area.left, area.top}, end, down, area, why)) << why;

    // Moving the window starts the picture at its top-left corner again; once the drag is over,
    // or its last thumb position would scroll the picture after the move.
    EXPECT_TRUE(WaitUntil([&] { return CaptureOf(video) != video; }, 3000));
    ASSERT_TRUE(Flush(player.window));
    ::SetWindowPos(video, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT moved = ClientOnScreen(video);
            return WindowRect(renderer).left == moved.left && WindowRect(renderer).top == moved.top;
        },
        3000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, APictureTooWideOrTooHighGetsTheOneScrollBarItNeeds) {
    struct Case {
        const char* name;
        LONG bar;
        LONG noBar;
    };
    for (Case c : {Case{"wide.gif", WS_HSCROLL, WS_VSCROLL}, Case{"tall.gif", WS_VSCROLL, WS_HSCROLL}}) {
        Player player = Player::Start({Media(c.name)});
        ASSERT_TRUE(player.window) << c.name;
        HWND video = WaitForVideoTitle(player, std::string(c.name) + "  ");
        ASSERT_TRUE(video) << c.name;
        EXPECT_TRUE(HasStyle(video, c.bar)) << c.name;
        EXPECT_FALSE(HasStyle(video, c.noBar)) << c.name;
        RECT work = WorkArea();
        RECT r = WindowRect(video);
        if (c.bar == WS_HSCROLL) {
            EXPECT_EQ(r.right - r.left, work.right - work.left);
            EXPECT_LT(r.bottom - r.top, 400);
        } else {
            EXPECT_EQ(r.bottom - r.top, work.bottom - work.top);
            EXPECT_LT(r.right - r.left, 400);
        }
        EXPECT_TRUE(player.boxes->Seen().empty()) << c.name;
        Finish(player);
    }
}

TEST_F(PlayerTest, FullScreenCentresASmallPictureAtItsOwnSizeAndFitsALargeOne) {
    Player player = Player::Start({Media("photo.gif")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "photo.gif  ");
    ASSERT_TRUE(video);
    RECT windowed = WindowRect(video);
    HWND renderer = RendererOf(video);

    PostChar(player.window, 'm');
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(renderer).left == 312; }, 5000));
    RECT full = WindowRect(video);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.right, 1024);
    EXPECT_EQ(full.bottom, 768);
    RECT picture = WindowRect(renderer);
    EXPECT_EQ(picture.top, 234);
    EXPECT_EQ(picture.right - picture.left, 400);
    EXPECT_EQ(picture.bottom - picture.top, 300);
    Picture photo(Media("photo.gif"));
    ASSERT_EQ(photo.Width(), 400);
    std::string why;
    EXPECT_TRUE(ScreenComesToShow(photo, {312, 234}, 0, 0, picture, why)) << why;
    EXPECT_EQ(ScreenPixel(100, 100), RGB(0, 0, 0));  // the rest of the screen is black
    Screenshot("C:\\tesmaro_picture_fullscreen.png");

    Post(video, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000));
    RECT back = WindowRect(video);
    EXPECT_TRUE(::EqualRect(&back, &windowed));
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(renderer).left == ClientOnScreen(video).left; }, 3000));
    Finish(player);

    Player second = Player::Start({Media("large.gif")});
    ASSERT_TRUE(second.window);
    video = WaitForVideoTitle(second, "large.gif  ");
    ASSERT_TRUE(video);
    PostCommand(second.window, ID_OPTIONS_FULLSCREEN);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(RendererOf(video)).right == 1024; }, 5000));
    picture = WindowRect(RendererOf(video));
    EXPECT_EQ(picture.left, 0);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.bottom, 768);
    EXPECT_FALSE(HasStyle(video, WS_HSCROLL) || HasStyle(video, WS_VSCROLL));
    PostCommand(second.window, ID_OPTIONS_FULLSCREEN);
    EXPECT_TRUE(WaitUntil([&] { return HasStyle(video, WS_HSCROLL | WS_VSCROLL); }, 5000));
    EXPECT_TRUE(second.boxes->Seen().empty());
    Finish(second);
}

TEST_F(PlayerTest, TheStoredFullScreenWishShowsAPictureFullScreenAtOnce) {
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "g_bFullscreen", 1);
    Player player = Player::Start({Media("photo.gif")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "photo.gif  ");
    ASSERT_TRUE(video);
    // Pictures do not wait for playback to run, as videos do.
    EXPECT_EQ(WindowRect(video).right, 1024);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(RendererOf(video)).left == 312; }, 3000));
    Picture photo(Media("photo.gif"));
    std::string why;
    EXPECT_TRUE(ScreenComesToShow(photo, {312, 234}, 0, 0, WindowRect(RendererOf(video)), why)) << why;
    // Closing it in full screen brings the main window back.
    PostChar(player.window, ' ');
    EXPECT_TRUE(WaitUntil([&] { return VideoWindowOf(player) == nullptr; }, 5000));
    EXPECT_TRUE(IsShown(player.window));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, ZoomSizesTheWindowToTwiceAndHalfThePicture) {
    Player player = Player::Start({Media("photo.gif")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "photo.gif  ");
    ASSERT_TRUE(video);
    PostCommand(player.window, ID_ZOOM_200);
    EXPECT_TRUE(
        WaitUntil([&] { return ClientRect(video).right == 800 && ClientRect(video).bottom == 600; }, 5000));
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowRect(RendererOf(video)).right - WindowRect(RendererOf(video)).left == 800; },
        3000));
    PostCommand(player.window, ID_ZOOM_50);
    EXPECT_TRUE(
        WaitUntil([&] { return ClientRect(video).right == 200 && ClientRect(video).bottom == 150; }, 5000));
    PostChar(player.window, 'n');  // its own size again
    EXPECT_TRUE(WaitUntil([&] { return ClientRect(video).right == 400; }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, PicturesThatCannotBeShownGiveTheCannotPlayTextAndLeaveNothingOpen) {
    // Damaged bytes; pictures far too large to decode in this process (8000 x 8000); and what
    // Wine's decoders cannot take: Targa pictures. (A bitmap over 4 KiB is refused by some of
    // GStreamer's builds and opened black by others, so it is not among them.)
    for (const char* name : {"corrupt.jpg", "huge.gif", "huge.jpg", "photo.tga"}) {
        Player player = Player::Start({Media(name)});
        ASSERT_TRUE(player.window) << name;
        std::optional<MessageBoxInfo> box = player.boxes->WaitForBox(15000);
        ASSERT_TRUE(box) << name;
        EXPECT_EQ(box->caption, "Tesmaro Player") << name;
        EXPECT_EQ(box->text, kCannotPlay) << name;
        EXPECT_TRUE(WaitUntil([&] { return VideoWindowOf(player) == nullptr; }, 5000)) << name;
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id())) << name;
        ASSERT_TRUE(Flush(player.window)) << name;
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id())) << name;
        EXPECT_TRUE(player.process.Running()) << name;
        EXPECT_EQ(player.boxes->Seen().size(), 1u) << name;
        Finish(player);
        EXPECT_EQ(player.process.ExitCode(), 0u) << name;
    }
}

TEST_F(PlayerTest, OnePixelPicturesAndACutOffJpegOpenQuietly) {
    for (const char* name : {"dot.jpg", "dot.bmp", "small.bmp", "cut.jpg"}) {
        Player player = Player::Start({Media(name)});
        ASSERT_TRUE(player.window) << name;
        HWND video = WaitForVideoTitle(player, std::string(name) + "  ");
        ASSERT_TRUE(video) << name;
        EXPECT_TRUE(IsShown(video)) << name;
        PostChar(player.window, 'm');  // full screen and back
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right == 1024; }, 5000)) << name;
        PostChar(player.window, 'm');
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000)) << name;
        // Leaving full screen seeks the picture and waits for its frame: that is over, and
        // nothing it posted is left, once the queue is handled.
        ASSERT_TRUE(Flush(player.window)) << name;
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id())) << name;
        EXPECT_TRUE(player.process.Running()) << name;
        EXPECT_TRUE(player.boxes->Seen().empty()) << name;
        Finish(player);
        EXPECT_EQ(player.process.ExitCode(), 0u) << name;
    }
}
