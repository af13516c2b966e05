#include "DiscModel.h"

#include <cstdio>
#include <cstring>

namespace dvdnav {

namespace {

constexpr size_t kSector = 2048;

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    uint8_t chunk[8192];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return true;
}

// Bounds-checked big-endian reads: a short or damaged file reads as zeros and fails the checks.
struct Reader {
    const std::vector<uint8_t>& b;
    bool ok = true;
    uint8_t U8(size_t at) {
        if (at >= b.size()) {
            ok = false;
            return 0;
        }
        return b[at];
    }
    uint16_t U16(size_t at) { return static_cast<uint16_t>(U8(at) << 8 | U8(at + 1)); }
    uint32_t U32(size_t at) { return static_cast<uint32_t>(U16(at)) << 16 | U16(at + 2); }
};

unsigned Bcd(uint8_t v) {
    return (v >> 4) * 10u + (v & 0x0f);
}

struct TitleSet {
    // Per title of the set: the program chain and program of each chapter.
    std::vector<std::vector<std::pair<unsigned, unsigned>>> ptts;
    struct Pgc {
        std::vector<unsigned> programEntryCell;
        std::vector<unsigned> cellMs;
        unsigned lengthMs = 0;
        unsigned rate = 25;
    };
    std::vector<Pgc> pgcs;
    VideoInfo video;
    std::vector<AudioStream> audio;
    std::vector<SubpictureStream> subpictures;
};

bool ReadTitleSet(const std::string& path, TitleSet& ts) {
    std::vector<uint8_t> b;
    if (!ReadFile(path, b) || b.size() < kSector || std::memcmp(b.data(), "DVDVIDEO-VTS", 12) != 0)
        return false;
    Reader r{b};
    uint16_t v = r.U16(0x200);
    ts.video.compression = static_cast<uint8_t>(v >> 14);
    ts.video.pal = ((v >> 12) & 3) == 1;
    ts.video.aspect = static_cast<uint8_t>((v >> 10) & 3);
    ts.video.panScanForbidden = (v >> 9) & 1;
    ts.video.letterboxForbidden = (v >> 8) & 1;
    ts.video.line21Field1 = (v >> 7) & 1;
    ts.video.line21Field2 = (v >> 6) & 1;
    ts.video.resolution = static_cast<uint8_t>((v >> 3) & 7);
    ts.video.letterboxed = (v >> 2) & 1;
    ts.video.film = v & 1;
    unsigned audioCount = r.U16(0x202);
    for (unsigned i = 0; i < audioCount && i < 8; ++i) {
        size_t a = 0x204 + 8 * i;
        AudioStream s;
        s.coding = static_cast<uint8_t>(r.U8(a) >> 5);
        bool hasLanguage = ((r.U8(a) >> 2) & 3) == 1;
        s.appMode = static_cast<uint8_t>(r.U8(a) & 3);
        s.quantization = static_cast<uint8_t>(r.U8(a + 1) >> 6);
        s.sampleRate = static_cast<uint8_t>((r.U8(a + 1) >> 4) & 3);
        s.channels = static_cast<uint8_t>((r.U8(a + 1) & 7) + 1);
        s.language = hasLanguage ? r.U16(a + 2) : 0;
        s.extension = r.U8(a + 5);
        s.appInfo = r.U8(a + 7);
        ts.audio.push_back(s);
    }
    unsigned subCount = r.U16(0x254);
    for (unsigned i = 0; i < subCount && i < 32; ++i) {
        size_t a = 0x256 + 6 * i;
        SubpictureStream s;
        s.coding = static_cast<uint8_t>(r.U8(a) >> 5);
        s.language = (r.U8(a) & 3) == 1 ? r.U16(a + 2) : 0;
        s.extension = r.U8(a + 5);
        ts.subpictures.push_back(s);
    }

    size_t ptt = size_t{r.U32(0xC8)} * kSector;
    unsigned titles = r.U16(ptt);
    uint32_t pttEnd = r.U32(ptt + 4);
    for (unsigned t = 0; t < titles && r.ok; ++t) {
        uint32_t start = r.U32(ptt + 8 + 4 * t);
        uint32_t end = t + 1 < titles ? r.U32(ptt + 12 + 4 * t) : pttEnd + 1;
        std::vector<std::pair<unsigned, unsigned>> chapters;
        for (uint32_t at = start; at + 4 <= end && at + 4 <= pttEnd + 1; at += 4)
            chapters.emplace_back(r.U16(ptt + at), r.U16(ptt + at + 2));
        ts.ptts.push_back(chapters);
    }

    size_t pgcit = size_t{r.U32(0xCC)} * kSector;
    unsigned pgcCount = r.U16(pgcit);
    for (unsigned i = 0; i < pgcCount && r.ok; ++i) {
        size_t p = pgcit + r.U32(pgcit + 8 + 8 * i + 4);
        TitleSet::Pgc pgc;
        unsigned programs = r.U8(p + 2), cells = r.U8(p + 3);
        uint8_t time[4] = {r.U8(p + 4), r.U8(p + 5), r.U8(p + 6), r.U8(p + 7)};
        pgc.lengthMs = IfoTimeMs(time, &pgc.rate);
        size_t map = p + r.U16(p + 0xE6), play = p + r.U16(p + 0xE8);
        for (unsigned k = 0; k < programs; ++k)
            pgc.programEntryCell.push_back(r.U8(map + k));
        for (unsigned c = 0; c < cells; ++c) {
            uint8_t ct[4] = {r.U8(play + 24 * c + 4), r.U8(play + 24 * c + 5), r.U8(play + 24 * c + 6),
                             r.U8(play + 24 * c + 7)};
            pgc.cellMs.push_back(IfoTimeMs(ct, nullptr));
        }
        ts.pgcs.push_back(pgc);
    }
    return r.ok;
}

}  // namespace

unsigned IfoTimeMs(const uint8_t time[4], unsigned* rate) {
    unsigned fps = (time[3] >> 6) == 3 ? 30 : 25;
    if (rate) *rate = fps;
    unsigned frames = Bcd(static_cast<uint8_t>(time[3] & 0x3f));
    return ((Bcd(time[0]) * 60 + Bcd(time[1])) * 60 + Bcd(time[2])) * 1000 + frames * 1000 / fps;
}

bool ReadDisc(const std::string& folder, Disc& disc, std::string& why) {
    disc = Disc{};
    disc.folder = folder;
    std::string base = folder;
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    std::vector<uint8_t> vmg;
    if (!ReadFile(base + "VIDEO_TS.IFO", vmg) || vmg.size() < kSector ||
        std::memcmp(vmg.data(), "DVDVIDEO-VMG", 12) != 0) {
        why = "no VIDEO_TS.IFO of a video manager in " + folder;
        return false;
    }
    unsigned long long h = 1469598103934665603ull;
    for (uint8_t c : vmg)
        h = (h ^ c) * 1099511628211ull;
    disc.id = h;

    Reader r{vmg};
    unsigned sets = r.U16(0x3E);
    std::vector<TitleSet> titleSets(sets);
    for (unsigned s = 0; s < sets; ++s) {
        char name[32];
        std::snprintf(name, sizeof name, "VTS_%02u_0.IFO", s + 1);
        if (!ReadTitleSet(base + name, titleSets[s])) {
            why = std::string("unreadable ") + name;
            return false;
        }
    }
    size_t tt = size_t{r.U32(0xC4)} * kSector;
    unsigned titles = r.U16(tt);
    for (unsigned t = 0; t < titles && t < 99; ++t) {
        size_t e = tt + 8 + 12 * t;
        Title title;
        title.angles = r.U8(e + 1) ? r.U8(e + 1) : 1;
        title.titleSet = r.U8(e + 6);
        unsigned ttn = r.U8(e + 7);
        if (!r.ok || title.titleSet < 1 || title.titleSet > sets) break;
        const TitleSet& ts = titleSets[title.titleSet - 1];
        if (ttn < 1 || ttn > ts.ptts.size()) break;
        // A chapter starts where its program's entry cell starts in the chain.
        for (auto [pgcn, pgn] : ts.ptts[ttn - 1]) {
            if (pgcn < 1 || pgcn > ts.pgcs.size()) continue;
            const auto& pgc = ts.pgcs[pgcn - 1];
            if (pgn < 1 || pgn > pgc.programEntryCell.size()) continue;
            unsigned ms = 0;
            for (unsigned c = 1; c < pgc.programEntryCell[pgn - 1] && c <= pgc.cellMs.size(); ++c)
                ms += pgc.cellMs[c - 1];
            title.chapterStartMs.push_back(ms);
            title.lengthMs = pgc.lengthMs;
            title.frameRate = pgc.rate;
        }
        if (title.chapterStartMs.empty()) break;
        disc.titles.push_back(title);
    }
    if (disc.titles.empty()) {
        why = "no playable title in " + folder;
        return false;
    }
    disc.video = titleSets[0].video;
    disc.audio = titleSets[0].audio;
    disc.subpictures = titleSets[0].subpictures;
    return true;
}

}  // namespace dvdnav
