// The status texts and the path rules behind them: times from any numbers, names from any path.
#include <cstring>
#include <string>
#include <string_view>

#include "ChosenFiles.h"
#include "FuzzTarget.h"
#include "PlaybackMath.h"
#include "StatusText.h"

namespace {
template <typename T>
T Take(const uint8_t*& data, size_t& size) {
    T value{};
    size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}
}  // namespace

FUZZ_TARGET(FuzzStatusText) {
    uint32_t position = Take<uint32_t>(data, size);
    uint32_t length = Take<uint32_t>(data, size);
    int64_t mediaPosition = Take<int64_t>(data, size);
    int64_t mediaLength = Take<int64_t>(data, size);
    int slider = Take<int>(data, size);
    std::string_view path(reinterpret_cast<const char*>(data), size);

    std::string time = PlaybackTimeText(position, length);
    FUZZ_CHECK(time.size() >= 21 && time.size() <= 40);
    FUZZ_CHECK(time.find("     ") != std::string::npos);
    (void)MediaTimeSeconds(mediaPosition);
    int fraction = SliderFraction(mediaPosition, mediaLength);
    FUZZ_CHECK(fraction >= 0 && fraction <= kPositionSliderMax);
    if (mediaLength > 0 && slider >= 0 && slider <= kPositionSliderMax) {
        int64_t seek = SeekTimeForSlider(slider, mediaLength);
        FUZZ_CHECK(seek >= 0 && seek <= mediaLength);
    }
    std::string name = DisplayName(path);
    FUZZ_CHECK(name.size() <= path.size() + 1);
    (void)IsDvdPath(path);
    (void)fw::JoinDirectoryAndName(path, path);
    for (const std::string& chosen :
         fw::SplitChosenFiles(path.data(), path.size(), static_cast<size_t>(slider) % (path.size() + 1),
                              (slider & 4) != 0 ? fw::RootJoin::Doubled : fw::RootJoin::Plain))
        FUZZ_CHECK(chosen.size() <= 2 * path.size() + 1);
    (void)BaseName(path);
    (void)VideoWindowCaption(path, (slider & 1) != 0, (slider & 2) != 0);
    (void)IsAsfFile(path);
    (void)IsMpegFile(path);
    (void)ContainsNoCase(path, path.substr(path.size() / 2));
    return 0;
}
