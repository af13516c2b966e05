#include "RenderStatus.h"

#include <cstdio>
#include <cstring>

namespace {

// Appends to a zero-ended text of `capacity` characters, dropping whatever does not fit.
class WorkText {
public:
    void Append(const char* text) {
        size_t used = std::strlen(mText);
        size_t room = sizeof(mText) - 1 - used;
        size_t length = std::strlen(text);
        if (length > room) length = room;
        std::memcpy(mText + used, text, length);
        mText[used + length] = '\0';
    }
    const char* Text() const { return mText; }

private:
    char mText[kRenderStatusWorkChars] = {};
};

}  // namespace

int RenderStatusSummary(const AM_DVD_RENDERSTATUS& status, char* buffer, int size) {
    if (size <= 0 || ::IsBadWritePtr(buffer, static_cast<UINT_PTR>(size))) return 0;
    WorkText work;
    char line[300];
    if (status.iNumStreamsFailed > 0) {
        std::snprintf(line, sizeof(line), "* %d out of %d DVD-Video streams failed to render properly\n",
                      status.iNumStreamsFailed, status.iNumStreams);
        work.Append(line);
        if (status.dwFailedStreamsFlag & AM_DVD_STREAM_VIDEO) work.Append("    - video stream\n");
        if (status.dwFailedStreamsFlag & AM_DVD_STREAM_AUDIO) work.Append("    - audio stream\n");
        if (status.dwFailedStreamsFlag & AM_DVD_STREAM_SUBPIC) work.Append("    - subpicture stream\n");
    }
    if (FAILED(status.hrVPEStatus)) {
        char error[201] = {};
        ::AMGetErrorTextA(status.hrVPEStatus, error, 200);
        error[200] = '\0';
        work.Append("* ");
        work.Append(error);
        work.Append("\n");
    }
    if (status.bDvdVolInvalid) {
        work.Append("* Specified DVD-Video volume was invalid\n");
    } else if (status.bDvdVolUnknown) {
        work.Append("* No valid DVD-Video volume could be located\n");
    }
    if (status.bNoLine21In) work.Append("* The video decoder doesn't produce closed caption data\n");
    if (status.bNoLine21Out) work.Append("* Decoded closed caption data not rendered properly\n");
    ::lstrcpynA(buffer, work.Text(), size);
    return static_cast<int>(std::strlen(buffer));
}
