#include "RestoreTable.h"

namespace {
constexpr char kId[] = "Vistrane+";
}  // namespace

const assoc::AssociationRow kRestoreTable[kRestoreRowCount + 1] = {
    {".wmv", kId, "Video file", "Vistrane+ video", "0"},   // 0
    {".mpg", kId, "Video file", "Vistrane+ video", "0"},   // 1
    {".mpeg", kId, "Video file", "Vistrane+ video", "0"},  // 2
    {".m1v", kId, "Video file", "Vistrane+ video", "0"},   // 3
    {".dat", kId, "Video file", "Vistrane+ video", "0"},   // 4
    {".qt", kId, "Video file", "Vistrane+ video", "0"},    // 5
    {".mov", kId, "Video file", "Vistrane+ video", "0"},   // 6
    {".asf", kId, "Video file", "Vistrane+ video", "0"},   // 7
    {".m2v", kId, "Video file", "Vistrane+ video", "0"},   // 8
    {".ifo", kId, "Video file", "Vistrane+ video", "0"},   // 9
    {".avi", kId, "Video file", "Vistrane+ video", "0"},   // 10
    {".divx", kId, "Video file", "Vistrane+ video", "0"},  // 11
    {".mp4", kId, "Video file", "Vistrane+ video", "0"},   // 12
    {".mp3", kId, "Audio file", "Vistrane+ audio", "0"},   // 13
    {".mp2", kId, "Audio file", "Vistrane+ audio", "0"},   // 14
    {".mpa", kId, "Audio file", "Vistrane+ audio", "0"},   // 15
    {".wav", kId, "Audio file", "Vistrane+ audio", "0"},   // 16
    {".wma", kId, "Audio file", "Vistrane+ audio", "0"},   // 17
    {".au", kId, "Audio file", "Vistrane+ audio", "0"},    // 18
    {".aif", kId, "Audio file", "Vistrane+ audio", "0"},   // 19
    {".aiff", kId, "Audio file", "Vistrane+ audio", "0"},  // 20
    {".snd", kId, "Audio file", "Vistrane+ audio", "0"},   // 21
    {".mid", kId, "Audio file", "Vistrane+ audio", "0"},   // 22
    {".midi", kId, "Audio file", "Vistrane+ audio", "0"},  // 23
    {".rmi", kId, "Audio file", "Vistrane+ audio", "0"},   // 24
    {".ogg", kId, "Audio file", "Vistrane+ audio", "0"},   // 25
    {".bmp", kId, "Image file", "Vistrane+ image", "0"},   // 26
    {".jpg", kId, "Image file", "Vistrane+ image", "0"},   // 27
    {".jpeg", kId, "Image file", "Vistrane+ image", "0"},  // 28
    {".gif", kId, "Image file", "Vistrane+ image", "0"},   // 29
    {".tga", kId, "Image file", "Vistrane+ image", "0"},   // 30
    {".ogm", kId, "Video file", "Vistrane+ video", "0"},   // 31
    {"", "", "", "", ""},
};
