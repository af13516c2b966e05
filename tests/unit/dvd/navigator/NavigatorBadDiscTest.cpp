// Broken and foreign volumes: the navigator reports them as the platform's does (an invalid
// volume at rendering, a warning or an error event while playing), shows no garbage, and keeps
// nothing open once the graph is gone.
#include <gtest/gtest.h>

#include <objbase.h>

#include <string>

#include "NavGraph.h"

using namespace navtest;

namespace {

std::wstring Folder(const std::string& name) {
    std::string path = DiscRoot() + "bad\\" + name;
    return std::wstring(path.begin(), path.end());
}

// A folder of which no file is open can be renamed and renamed back.
bool NothingOpenIn(const std::string& name) {
    std::wstring from = Folder(name), to = from + L"_moved";
    if (!::MoveFileW(from.c_str(), to.c_str())) return false;
    return ::MoveFileW(to.c_str(), from.c_str()) != 0;
}

class NavigatorBadDisc : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override { ::CoUninitialize(); }

    // Renders a volume whose IFO files are unreadable: an invalid volume, as the platform says.
    void ExpectInvalidVolume(const std::string& name) {
        {
            NavGraph nav(DiscIfo("bad\\" + name));
            ASSERT_EQ(S_FALSE, nav.rendered);
            EXPECT_TRUE(nav.status.bDvdVolInvalid);
            EXPECT_FALSE(nav.Prepare());  // SetDVDDirectory refuses it
            ULONG titles = 0, volumes = 0, volume = 0;
            DVD_DISC_SIDE side;
            ASSERT_TRUE(nav.info);
            EXPECT_EQ(VFW_E_DVD_INVALID_DISC, nav.info->GetDVDVolumeInfo(&volumes, &volume, &side, &titles));
            EXPECT_EQ(VFW_E_DVD_INVALID_DISC, nav.control->PlayTitle(1, DVD_CMD_FLAG_Block, nullptr));
        }
        EXPECT_TRUE(NothingOpenIn(name));
    }
};

TEST_F(NavigatorBadDisc, TruncatedIfoIsAnInvalidVolume) {
    ExpectInvalidVolume("truncated_ifo");
}

TEST_F(NavigatorBadDisc, EmptyIfoIsAnInvalidVolume) {
    ExpectInvalidVolume("empty_ifo");
}

TEST_F(NavigatorBadDisc, RandomBytesAreAnInvalidVolume) {
    ExpectInvalidVolume("random_bytes");
}

TEST_F(NavigatorBadDisc, AMissingVobIsAFileThatCannotBeOpened) {
    {
        NavGraph nav(DiscIfo("bad\\no_vob"));
        ASSERT_EQ(S_OK, nav.rendered);
        ASSERT_TRUE(nav.Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav.Play());
        EXPECT_TRUE(nav.WaitFor(EC_DVD_WARNING, [](const Event& e) { return e.p1 == DVD_WARNING_Open; }));
        EXPECT_TRUE(nav.WaitFor(EC_DVD_PLAYBACK_STOPPED));
        Colour c;
        EXPECT_FALSE(nav.ShownColour(c));  // no picture ever reached the renderer
    }
    EXPECT_TRUE(NothingOpenIn("no_vob"));
}

TEST_F(NavigatorBadDisc, AVobCutInTheMiddlePlaysUpToTheCutAndStops) {
    {
        NavGraph nav(DiscIfo("bad\\cut_vob"));
        ASSERT_EQ(S_OK, nav.rendered);
        ASSERT_TRUE(nav.Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav.Play());
        ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
        Colour c;
        ASSERT_TRUE(nav.ShownColour(c));
        EXPECT_TRUE(IsRed(c)) << c.r << "," << c.g << "," << c.b;
        EXPECT_TRUE(nav.WaitFor(EC_DVD_PLAYBACK_STOPPED, nullptr, 20000));
    }
    EXPECT_TRUE(NothingOpenIn("cut_vob"));
}

TEST_F(NavigatorBadDisc, NinetyNineTitlesAreAllThere) {
    NavGraph nav(DiscIfo("bad\\titles99"));
    ASSERT_EQ(S_OK, nav.rendered);
    ASSERT_TRUE(nav.Prepare());
    ULONG titles = 0, volumes = 0, volume = 0;
    DVD_DISC_SIDE side;
    ASSERT_HRESULT_SUCCEEDED(nav.info->GetDVDVolumeInfo(&volumes, &volume, &side, &titles));
    EXPECT_EQ(99u, titles);
    ASSERT_HRESULT_SUCCEEDED(nav.Play());
    ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_HRESULT_SUCCEEDED(nav.control->PlayTitle(99, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 99; }));
    Colour c;
    ASSERT_TRUE(nav.ShownColour(c));
    EXPECT_TRUE(IsBlue(c)) << c.r << "," << c.g << "," << c.b;
}

TEST_F(NavigatorBadDisc, AnEncryptedDiscFailsItsCopyProtectionWithoutAPicture) {
    {
        NavGraph nav(DiscIfo("bad\\encrypted"));
        ASSERT_EQ(S_OK, nav.rendered);
        ASSERT_TRUE(nav.Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav.Play());
        EXPECT_TRUE(
            nav.WaitFor(EC_DVD_ERROR, [](const Event& e) { return e.p1 == DVD_ERROR_CopyProtectFail; }));
        Colour c;
        EXPECT_FALSE(nav.ShownColour(c));
    }
    EXPECT_TRUE(NothingOpenIn("encrypted"));
}

TEST_F(NavigatorBadDisc, AFolderWithoutAVolumeIsAnInvalidVolume) {
    NavGraph nav(Folder("no_such_folder"));
    EXPECT_EQ(S_FALSE, nav.rendered);
    EXPECT_TRUE(nav.status.bDvdVolInvalid);
}

}  // namespace
