// Skin pictures: where a skin's files live, decoding a picture file into a bitmap, cutting a
// rectangle out of a bitmap and copying a bitmap onto a drawing surface.
#pragma once

#include <windows.h>

#include <string>

#include "Handles.h"

namespace skin {

// Larger cuts are refused: no skin needs them and they would only exhaust memory.
inline constexpr int kMaxCutSide = 4096;

// The absolute directory that contains `path`, with exactly one trailing backslash.
std::string SkinDirectoryOf(const std::string& path);

// Decodes a Windows bitmap, JPEG or GIF file into `target` (a bitmap of its own, independent of
// the decoder) and sets `size`. A missing, unreadable or undecodable file leaves `target` empty,
// `size` unchanged, and answers false.
bool LoadPictureFile(const std::string& path, fw::Bitmap& target, SIZE& size);

// `target` becomes a new bitmap holding the rectangle of `source`: a DIB section of the source's
// format when the source is one (as every loaded picture is), otherwise a bitmap compatible with
// `surface` (a window or screen DC). Nothing happens without a source bitmap; an empty or
// oversized rectangle leaves `target` empty.
void CutPicture(HDC surface, fw::Bitmap& target, HBITMAP source, int left, int top, int right, int bottom);

// Cuts many pieces as CutPicture does, with one pair of memory contexts for all of them: a skin
// cuts four pictures for each of a score of controls.
class PictureCutter {
public:
    explicit PictureCutter(HDC surface);
    void Cut(fw::Bitmap& target, HBITMAP source, int left, int top, int right, int bottom);

private:
    HDC mSurface;
    fw::MemoryDc mFrom;
    fw::MemoryDc mTo;
};

// Copies the bitmap's top-left (right - left) x (bottom - top) pixels to that rectangle of the
// surface, through the stretching copy when `stretch` is set (at equal sizes).
void DrawPicture(HDC surface, HBITMAP bitmap, int left, int top, int right, int bottom, bool stretch = false);

// The width and height of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace skin
