// A DVD sector as the disc gives it, damaged or foreign: the packets found lie inside the
// sector, their streams are within their kind's numbers, and the LPCM among them converts to
// whole stereo sample pairs whatever their headers say.
#include <vector>

#include "FuzzTarget.h"
#include "Lpcm.h"
#include "ProgramStream.h"

using navigator::EsKind;
using navigator::EsPacket;

FUZZ_TARGET(FuzzProgramStream) {
    // Copied so that the sector's end is the end of the buffer the sanitizers watch.
    std::vector<uint8_t> sector(data, data + size);
    EsPacket packets[8];
    size_t n = navigator::ParsePack(sector.data(), sector.size(), packets, 8);
    FUZZ_CHECK(n <= 8);
    FUZZ_CHECK(navigator::ParsePack(sector.data(), sector.size(), packets, 0) == 0);
    navigator::LpcmConverter converter;
    for (size_t i = 0; i < n; ++i) {
        const EsPacket& p = packets[i];
        const uint8_t* begin = sector.data();
        const uint8_t* end = begin + sector.size();
        FUZZ_CHECK(p.data >= begin && p.data <= end && p.size <= static_cast<size_t>(end - p.data));
        FUZZ_CHECK(p.stream < (p.kind == EsKind::Subpicture ? 32u : 8u));
        FUZZ_CHECK(p.pts >= 0 && p.pts < (int64_t{1} << 33));
        if (p.kind != EsKind::Lpcm) continue;
        navigator::LpcmFormat format;
        if (!navigator::ReadLpcmFormat(p.lpcmHeader[1], format)) continue;
        std::vector<int16_t> out;
        converter.Convert(format, p.data, p.size, out);
        FUZZ_CHECK(out.size() % 2 == 0);
        FUZZ_CHECK(out.size() <= 2 * (p.size + 48));  // bytes waiting from earlier packets too
    }
    return 0;
}
