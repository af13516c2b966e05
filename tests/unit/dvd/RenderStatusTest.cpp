// The summary of a partly rendered DVD volume, line by line and cut to the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "RenderStatus.h"

namespace {

std::string Summary(const AM_DVD_RENDERSTATUS& status, int size = 1000) {
    std::string buffer(static_cast<size_t>(size) + 8, '#');
    int written = RenderStatusSummary(status, buffer.data(), size);
    EXPECT_EQ(written, static_cast<int>(std::strlen(buffer.c_str())));
    EXPECT_LT(written, size);
    EXPECT_EQ(buffer[static_cast<size_t>(size)], '#');  // nothing written past the buffer
    return buffer.c_str();
}

}  // namespace

TEST(RenderStatusSummary, EmptyForAVolumeThatRenderedCompletely) {
    AM_DVD_RENDERSTATUS status{};
    EXPECT_EQ(Summary(status), "");
}

TEST(RenderStatusSummary, FailedStreamsWithOneLinePerKind) {
    AM_DVD_RENDERSTATUS status{};
    status.iNumStreamsFailed = 2;
    status.iNumStreams = 3;
    status.dwFailedStreamsFlag = AM_DVD_STREAM_VIDEO | AM_DVD_STREAM_AUDIO | AM_DVD_STREAM_SUBPIC;
    EXPECT_EQ(Summary(status),
              "* 2 out of 3 DVD-Video streams failed to render properly\n"
              "    - video stream\n"
              "    - audio stream\n"
              "    - subpicture stream\n");
    status.dwFailedStreamsFlag = AM_DVD_STREAM_AUDIO;
    EXPECT_EQ(Summary(status),
              "* 2 out of 3 DVD-Video streams failed to render properly\n"
              "    - audio stream\n");
}

TEST(RenderStatusSummary, VolumeAndClosedCaptionLines) {
    AM_DVD_RENDERSTATUS status{};
    status.bDvdVolInvalid = TRUE;
    status.bDvdVolUnknown = TRUE;  // an invalid volume says so, not that none was found
    status.bNoLine21In = TRUE;
    status.bNoLine21Out = TRUE;
    EXPECT_EQ(Summary(status),
              "* Specified DVD-Video volume was invalid\n"
              "* The video decoder doesn't produce closed caption data\n"
              "* Decoded closed caption data not rendered properly\n");
    status.bDvdVolInvalid = FALSE;
    status.bNoLine21In = FALSE;
    status.bNoLine21Out = FALSE;
    EXPECT_EQ(Summary(status), "* No valid DVD-Video volume could be located\n");
}

TEST(RenderStatusSummary, MixerFailureCarriesThePlatformsErrorText) {
    AM_DVD_RENDERSTATUS status{};
    status.hrVPEStatus = E_OUTOFMEMORY;
    char platform[256] = {};
    AMGetErrorTextA(E_OUTOFMEMORY, platform, 200);
    std::string text = Summary(status);
    EXPECT_EQ(text, "* " + std::string(platform).substr(0, 199) + "\n");
    status.hrVPEStatus = S_FALSE;  // not a failure: no line
    EXPECT_EQ(Summary(status), "");
}

TEST(RenderStatusSummary, EveryLineAtOnceFitsTheWorkTextAndIsCutForAShortBuffer) {
    AM_DVD_RENDERSTATUS status{};
    status.iNumStreamsFailed = 3;
    status.iNumStreams = 3;
    status.dwFailedStreamsFlag = 7;
    status.hrVPEStatus = E_FAIL;
    status.bDvdVolUnknown = TRUE;
    status.bNoLine21In = TRUE;
    status.bNoLine21Out = TRUE;
    std::string full = Summary(status, kRenderStatusWorkChars);
    EXPECT_NE(full.find("    - subpicture stream\n* "), std::string::npos);
    EXPECT_NE(full.find("* No valid DVD-Video volume could be located\n"), std::string::npos);
    EXPECT_TRUE(full.ends_with("* Decoded closed caption data not rendered properly\n"));

    std::string cut = Summary(status, 20);
    EXPECT_EQ(cut, full.substr(0, 19));
    EXPECT_EQ(Summary(status, 1), "");
}

TEST(RenderStatusSummary, AnUnwritableBufferGetsNothing) {
    AM_DVD_RENDERSTATUS status{};
    status.bDvdVolUnknown = TRUE;
    EXPECT_EQ(RenderStatusSummary(status, nullptr, 100), 0);
    EXPECT_EQ(RenderStatusSummary(status, reinterpret_cast<char*>(16), 100), 0);
    char one[4] = "abc";
    EXPECT_EQ(RenderStatusSummary(status, one, 0), 0);
    EXPECT_STREQ(one, "abc");
}
