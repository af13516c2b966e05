// Other programs' file types in odd but possible states before the player is installed: the
// player's first start takes them over, and the uninstall has to leave every value and key that
// neither the player nor the installation wrote exactly as it found it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstallFixture.h"

namespace e2e {
namespace {

// Keys of another program under the classes root, removed whole at the end of the test.
class PlantedKeys {
public:
    PlantedKeys() = default;
    PlantedKeys(const PlantedKeys&) = delete;
    PlantedKeys& operator=(const PlantedKeys&) = delete;
    ~PlantedKeys() {
        for (const std::string& root : mRoots)
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, root.c_str());
    }

    bool Raw(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
        Remember(path);
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return false;
        LONG rc = ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }
    bool Text(const std::string& path, const char* name, const std::string& text) {
        return Raw(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

private:
    void Remember(const std::string& path) {
        std::string root = path.substr(0, path.find('\\'));
        for (const std::string& r : mRoots)
            if (r == root) return;
        mRoots.push_back(root);
    }
    std::vector<std::string> mRoots;
};

TEST_F(InstallTest, UninstallLeavesOtherProgramsValuesAndKeysThatThePlayerTookOverAsTheyWere) {
    PlantedKeys other;
    // An empty default stored without even its terminator, next to a value of its own.
    static const BYTE kNothing = 0;
    ASSERT_TRUE(other.Raw(".wav", nullptr, REG_SZ, &kNothing, 0));
    ASSERT_TRUE(other.Text(".wav", "PerceivedType", "audio"));
    // An empty default with a "Backup type" that another program wrote.
    ASSERT_TRUE(other.Text(".mid", nullptr, ""));
    ASSERT_TRUE(other.Text(".mid", "Backup type", "OldPlayer.mid"));
    // The player's content type text as the default, and a "Content Type" like the player's.
    ASSERT_TRUE(other.Text(".ogm", nullptr, "Video file"));
    ASSERT_TRUE(other.Text(".ogm", "Content Type", "Video file"));
    ASSERT_TRUE(other.Text(".mp4", nullptr, "TmOther.mp4"));
    ASSERT_TRUE(other.Text(".mp4", "Content Type", "Video file"));
    ASSERT_TRUE(other.Raw(".mp4\\OpenWithProgids", "TmOther.mp4", REG_NONE, &kNothing, 0));
    // Identifiers by our names that another program made, with values and subkeys of its own.
    ASSERT_TRUE(other.Text("Tesmaro Player", nullptr, "Another program's media"));
    ASSERT_TRUE(other.Text("Tesmaro Player", "FriendlyTypeName", "@C:\\Other\\other.dll,-5"));
    ASSERT_TRUE(other.Text("Tesmaro Player\\DefaultIcon", nullptr, "C:\\Other\\other.exe,2"));
    ASSERT_TRUE(
        other.Text("Tesmaro Player\\shell\\open\\command", nullptr, "\"C:\\Other\\other.exe\" \"%1\""));
    ASSERT_TRUE(
        other.Text("Tesmaro Player\\shell\\print\\command", nullptr, "\"C:\\Other\\other.exe\" /p \"%1\""));
    const DWORD flags = 0x10000;
    ASSERT_TRUE(other.Raw("Vistrane+", "EditFlags", REG_DWORD, &flags, sizeof(flags)));
    ASSERT_TRUE(other.Text("Vistrane+", nullptr, "Another Vistrane"));
    ASSERT_TRUE(other.Text("Vistrane+\\shell\\open\\command", nullptr, "\"C:\\Other\\vistrane.exe\" \"%1\""));
    ASSERT_TRUE(other.Text("Vistrane+\\Extra\\Deep", "Note", "kept"));
    auto filesBefore = FilesPicture();
    auto registryBefore = RegistryPicture();

    ASSERT_EQ(SilentInstall(), 0u);
    std::string folder = Installed(kDefaultInstallDir);
    const std::string command = "\"" + folder + "tesmaro_player.exe\" \"%1\"";
    {
        // The first start (the profile is empty) takes the types and re-points the open command.
        Player player = StartInstalledPlayer(folder);
        ASSERT_TRUE(player.window);
        EXPECT_TRUE(WaitUntil(
            [&] {
                return ReadRegString(HKEY_CLASSES_ROOT, ".wav", "") == "Tesmaro Player" &&
                       ReadRegString(HKEY_CLASSES_ROOT, ".mid", "") == "Tesmaro Player" &&
                       ReadRegString(HKEY_CLASSES_ROOT, "Tesmaro Player\\shell\\open\\command", "") ==
                           command;
            },
            20000));
        ASSERT_TRUE(player.Close());
    }
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, ".ogm", "Backup type"), "Video file");

    ASSERT_TRUE(SilentUninstall(folder));
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, ".mid", "Backup type"), "OldPlayer.mid");
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, "Tesmaro Player\\shell\\open\\command", ""),
              "\"C:\\Other\\other.exe\" \"%1\"");
    EXPECT_EQ(Differences(registryBefore, RegistryPicture()), "");
    EXPECT_EQ(Differences(filesBefore, FilesPicture()), "");
}

}  // namespace
}  // namespace e2e
