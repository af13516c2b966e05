// Media types and the enumerators a filter hands out: owned copies of AM_MEDIA_TYPE, the
// uncompressed video and PCM types the navigator delivers, and IEnumPins / IEnumMediaTypes over
// fixed lists.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <vector>

namespace navigator {

// An AM_MEDIA_TYPE that owns its format block and its pUnk.
class MediaType {
public:
    MediaType();
    explicit MediaType(const AM_MEDIA_TYPE& from);
    ~MediaType();
    MediaType(const MediaType& from);
    MediaType& operator=(const MediaType& from);
    const AM_MEDIA_TYPE& Get() const { return mType; }
    // A deep copy into a caller's record, as IPin::ConnectionMediaType hands one out.
    bool CopyTo(AM_MEDIA_TYPE& to) const;
    // A task-allocated copy, as IEnumMediaTypes::Next hands them out.
    AM_MEDIA_TYPE* NewCopy() const;
    bool SameMajorAndSub(const AM_MEDIA_TYPE& other) const;

private:
    AM_MEDIA_TYPE mType;
};

void FreeMediaTypeContents(AM_MEDIA_TYPE& type);
void DeleteMediaType(AM_MEDIA_TYPE* type);

// Bottom-up RGB32 pictures of the given size, frameTime in 100 ns units.
MediaType VideoRgb32(LONG width, LONG height, REFERENCE_TIME frameTime);
// Interleaved 16-bit PCM.
MediaType AudioPcm(DWORD samplesPerSecond, WORD channels);

// An enumerator over one media type; the caller owns the reference.
IEnumMediaTypes* NewMediaTypeEnum(const MediaType& type);
// An enumerator over fixed pins, each held for the enumerator's life.
IEnumPins* NewPinEnum(const std::vector<IPin*>& pins);

}  // namespace navigator
