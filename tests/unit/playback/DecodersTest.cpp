// Switching the decoder filters with the system's registrar: which files are registered or
// unregistered around an MPEG or DVD graph, in which order, and which runs are waited for. The decoder files
// are the registrar probe copied into the system directory; the real regsvr32.exe runs on them.
#include <windows.h>

#include <chrono>

#include "DecoderFiles.h"
#include "Decoders.h"
#include "FileSystem.h"
#include "EngineSession.h"
#include "Observe.h"

using decodertest::DecoderFiles;
using decodertest::RegistrarCall;

namespace {

constexpr char kMpegPath[] = "c:\\clips\\clip.mpg";
// Well below what one registrar run takes under Wine: a call that returns sooner waited for none.
constexpr long long kNoWaitMs = 700;

// Milliseconds since `start` on a steady clock; the tick counter's steps of 10 to 16 ms would
// make a short call look shorter still.
// The registrar processes this test has started that are still running.
int RegistrarRuns() {
    return e2e::ChildProcesses(::GetCurrentProcessId(), "regsvr32.exe");
}

long long MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

std::vector<RegistrarCall> Expected(std::initializer_list<std::pair<const char*, const char*>> calls) {
    std::vector<RegistrarCall> list;
    for (auto [file, action] : calls)
        list.push_back({0, file, action});
    return list;
}

}  // namespace

TEST(RegistrarCommandLine, TheRegistrarTheSwitchesThenTheDecoderAllInTheSystemDirectory) {
    EXPECT_EQ(RegistrarCommandLine("C:\\windows\\system32", kVideoDecoderFile, kRegisterSwitches),
              "C:\\windows\\system32\\regsvr32.exe /s C:\\windows\\system32\\Ravonim.dll");
    EXPECT_EQ(RegistrarCommandLine("C:\\windows\\system32", kSecondaryDecoderFile, kUnregisterSwitches),
              "C:\\windows\\system32\\regsvr32.exe /s /u C:\\windows\\system32\\Ravosec.ax");
}

TEST(FileExists, FilesThatOpenForReadingExistFoldersAndMissingDrivesDoNot) {
    EXPECT_TRUE(fw::FileExists((decodertest::SystemDirectory() + "\\regsvr32.exe").c_str()));
    EXPECT_FALSE(fw::FileExists((decodertest::SystemDirectory() + "\\no_such_decoder.dll").c_str()));
    EXPECT_FALSE(fw::FileExists(decodertest::SystemDirectory().c_str()));
    EXPECT_FALSE(fw::FileExists("Q:\\nothing\\here.dll"));  // no critical-error box either
    EXPECT_FALSE(fw::FileExists(""));
}

TEST(RunHidden, StartsAProgramWithoutWaitingAndFailsForAMissingOne) {
    DecoderFiles files({decodertest::kVideoDecoder});
    std::string command =
        RegistrarCommandLine(decodertest::SystemDirectory(), kVideoDecoderFile, kRegisterSwitches);
    EXPECT_TRUE(RunHidden(command.c_str()));
    EXPECT_TRUE(files.WaitForCalls(1));
    EXPECT_TRUE(DecoderFiles::Registered(decodertest::kVideoDecoder));
    EXPECT_FALSE(RunHidden("C:\\no\\such\\program.exe /s"));
}

TEST(MpegDecoders, OpeningSwitchesTheVideoAndAudioDecodersOnAndTheSecondaryOneOffThenWaitsForThem) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    DecoderFiles::MarkRegistered(decodertest::kSecondaryDecoder);
    FilePlayer player(::GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(player.RegisterDecoders(kMpegPath), 1);
    EXPECT_EQ(files.Calls().size(), 3u);  // every run has ended when it returns
    ASSERT_TRUE(files.WaitForCalls(3));
    EXPECT_EQ(
        files.Calls(),
        Expected({{"Ravonim.dll", "register"}, {"Ravosec.ax", "unregister"}, {"Ravolit.dll", "register"}}));
    EXPECT_TRUE(DecoderFiles::Registered(decodertest::kVideoDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kSecondaryDecoder));
    EXPECT_TRUE(DecoderFiles::Registered(decodertest::kAudioDecoder));

    // After the graph: both off again, the secondary one stays off.
    EXPECT_EQ(player.UnregisterDecoders(kMpegPath), 1);
    ASSERT_TRUE(files.WaitForCalls(5));
    std::vector<RegistrarCall> calls = files.Calls();
    EXPECT_EQ(std::vector<RegistrarCall>(calls.begin() + 3, calls.end()),
              Expected({{"Ravonim.dll", "unregister"}, {"Ravolit.dll", "unregister"}}));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kVideoDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kAudioDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kSecondaryDecoder));
}

TEST(MpegDecoders, AnyPathContainingAnMpegNameCountsInAnyCase) {
    DecoderFiles files({decodertest::kVideoDecoder});
    FilePlayer player(::GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(player.RegisterDecoders("C:\\VCD\\MPEGAV\\AVSEQ01.DAT"), 1);
    EXPECT_EQ(player.UnregisterDecoders("C:\\VCD\\MPEGAV\\AVSEQ01.DAT"), 1);
    ASSERT_TRUE(files.WaitForCalls(2));
    EXPECT_EQ(files.Calls(), Expected({{"Ravonim.dll", "register"}, {"Ravonim.dll", "unregister"}}));
}

TEST(MpegDecoders, OtherFilesRunNoRegistrarAndDoNotWait) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    FilePlayer player(::GetModuleHandleA(nullptr), nullptr);
    for (const char* path :
         {"c:\\clips\\clip.avi", "c:\\music\\data.dir\\song.mp3", "c:\\p\\photo.jpg", ""}) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(player.RegisterDecoders(path), 0) << path;
        EXPECT_EQ(player.UnregisterDecoders(path), 0) << path;
        EXPECT_LT(MsSince(start), kNoWaitMs) << path;
    }
    EXPECT_EQ(player.RegisterDecoders(nullptr), 0);
    // A registrar started here has logged its call once it has ended.
    EXPECT_TRUE(e2e::WaitUntil([] { return RegistrarRuns() == 0; }, 15000));
    EXPECT_TRUE(files.Calls().empty());
}

TEST(MpegDecoders, WithoutDecoderFilesNothingRunsAndNothingIsWaitedFor) {
    DecoderFiles files({});
    FilePlayer player(::GetModuleHandleA(nullptr), nullptr);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(player.RegisterDecoders(kMpegPath), 1);
    EXPECT_LT(MsSince(start), kNoWaitMs);
    EXPECT_EQ(player.UnregisterDecoders(kMpegPath), 1);
    EXPECT_TRUE(e2e::WaitUntil([] { return RegistrarRuns() == 0; }, 15000));
    EXPECT_TRUE(files.Calls().empty());
}

TEST(MpegDecoders, OnlyTheFilesThatArePresentAreSwitched) {
    DecoderFiles files({decodertest::kAudioDecoder});
    FilePlayer player(::GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(player.RegisterDecoders(kMpegPath), 1);
    ASSERT_TRUE(files.WaitForCalls(1));
    EXPECT_TRUE(e2e::WaitUntil([] { return RegistrarRuns() == 0; }, 15000));
    EXPECT_EQ(files.Calls(), Expected({{"Ravolit.dll", "register"}}));
}

TEST(DvdDecoders, TheSecondaryDecoderGoesOffTheAudioDecoderOnThenOffAgain) {
    DecoderFiles files(
        {decodertest::kVideoDecoder, decodertest::kSecondaryDecoder, decodertest::kAudioDecoder});
    DecoderFiles::MarkRegistered(decodertest::kSecondaryDecoder);
    PrepareDvdDecoderFiles();
    EXPECT_EQ(files.Calls().size(), 2u);  // both runs have ended when it returns
    ASSERT_TRUE(files.WaitForCalls(2));
    EXPECT_EQ(files.Calls(), Expected({{"Ravosec.ax", "unregister"}, {"Ravolit.dll", "register"}}));
    EXPECT_TRUE(DecoderFiles::Registered(decodertest::kAudioDecoder));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kSecondaryDecoder));

    auto start = std::chrono::steady_clock::now();
    ReleaseDvdDecoderFiles();
    EXPECT_LT(MsSince(start), kNoWaitMs);  // nothing to wait for afterwards
    ASSERT_TRUE(files.WaitForCalls(3));
    EXPECT_EQ(files.Calls().back(), (RegistrarCall{0, "Ravolit.dll", "unregister"}));
    EXPECT_FALSE(DecoderFiles::Registered(decodertest::kAudioDecoder));
    EXPECT_TRUE(e2e::WaitUntil([] { return RegistrarRuns() == 0; }, 15000));
    EXPECT_EQ(files.Calls().size(), 3u);  // the video decoder is left alone
}

TEST_F(EngineTest, OpeningAnMpegFileRegistersAroundTheGraphAndPlays) {
    DecoderFiles files({decodertest::kVideoDecoder, decodertest::kAudioDecoder});
    ASSERT_TRUE(Open(Media("clip.mpg")));
    EXPECT_EQ(player->GetState(), Running);
    ASSERT_TRUE(files.WaitForCalls(4));
    EXPECT_EQ(files.Calls(), Expected({{"Ravonim.dll", "register"},
                                       {"Ravolit.dll", "register"},
                                       {"Ravonim.dll", "unregister"},
                                       {"Ravolit.dll", "unregister"}}));
    // Rendered without the program's own decoder, the graph keeps all its filters.
    EXPECT_TRUE(player->FindFilterByName("Video Renderer"));
    EXPECT_TRUE(boxes->Seen().empty());
}
