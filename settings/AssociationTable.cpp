#include "AssociationTable.h"

namespace {
constexpr char kId[] = "Tesmaro Player";
}  // namespace

// Row i belongs to check box IDC_ASSOC_FIRST + i. The ".aaaa" rows are free slots that all act
// on one placeholder extension.
const assoc::AssociationRow kAssociationTable[kAssociationRowCount + 1] = {
    {".wmv", kId, "Video file", "Tesmaro Player video", "0"},   // 0
    {".mpg", kId, "Video file", "Tesmaro Player video", "0"},   // 1
    {".mpeg", kId, "Video file", "Tesmaro Player video", "0"},  // 2
    {".m1v", kId, "Video file", "Tesmaro Player video", "0"},   // 3
    {".dat", kId, "Video file", "Tesmaro Player video", "0"},   // 4
    {".aaaa", kId, "Video file", "Tesmaro Player video", "0"},  // 5
    {".aaaa", kId, "Video file", "Tesmaro Player video", "0"},  // 6
    {".asf", kId, "Video file", "Tesmaro Player video", "0"},   // 7
    {".m2v", kId, "Video file", "Tesmaro Player video", "0"},   // 8
    {".ifo", kId, "Video file", "Tesmaro Player video", "0"},   // 9
    {".avi", kId, "Video file", "Tesmaro Player video", "0"},   // 10
    {".divx", kId, "Video file", "Tesmaro Player video", "0"},  // 11
    {".mp4", kId, "Video file", "Tesmaro Player video", "0"},   // 12
    {".mp3", kId, "Audio file", "Tesmaro Player audio", "0"},   // 13
    {".mp2", kId, "Audio file", "Tesmaro Player audio", "0"},   // 14
    {".mpa", kId, "Audio file", "Tesmaro Player audio", "0"},   // 15
    {".wav", kId, "Audio file", "Tesmaro Player audio", "0"},   // 16
    {".wma", kId, "Audio file", "Tesmaro Player audio", "0"},   // 17
    {".au", kId, "Audio file", "Tesmaro Player audio", "0"},    // 18
    {".aif", kId, "Audio file", "Tesmaro Player audio", "0"},   // 19
    {".aiff", kId, "Audio file", "Tesmaro Player audio", "0"},  // 20
    {".snd", kId, "Audio file", "Tesmaro Player audio", "0"},   // 21
    {".mid", kId, "Audio file", "Tesmaro Player audio", "0"},   // 22
    {".midi", kId, "Audio file", "Tesmaro Player audio", "0"},  // 23
    {".rmi", kId, "Audio file", "Tesmaro Player audio", "0"},   // 24
    {".ogg", kId, "Audio file", "Tesmaro Player audio", "0"},   // 25
    {".aaaa", kId, "Image file", "Tesmaro Player image", "0"},  // 26
    {".aaaa", kId, "Image file", "Tesmaro Player image", "0"},  // 27
    {".aaaa", kId, "Image file", "Tesmaro Player image", "0"},  // 28
    {".aaaa", kId, "Image file", "Tesmaro Player image", "0"},  // 29
    {".aaaa", kId, "Image file", "Tesmaro Player image", "0"},  // 30
    {".ogm", kId, "Video file", "Tesmaro Player video", "0"},   // 31
    {"", "", "", "", ""},
};

bool IsFirstRunRow(int row) {
    return row >= 0 && row < kAssociationRowCount && (row < 4 || row > 6);
}
