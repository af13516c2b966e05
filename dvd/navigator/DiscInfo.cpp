#include "DiscInfo.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

extern "C" {
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>
}

#include "DvdTime.h"

namespace navigator {

namespace {

bool EndsWithNoCase(const std::string& text, const char* tail) {
    size_t n = std::strlen(tail);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char a = text[text.size() - n + i], b = tail[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
        if (a != b) return false;
    }
    return true;
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

// libdvdread reports through this; the last error is what a failed open says.
struct Log {
    std::string last;
};

void LogMessage(void* priv, dvd_logger_level_t level, const char* format, va_list args) {
    if (level != DVD_LOGGER_LEVEL_ERROR || !priv) return;
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    static_cast<Log*>(priv)->last = text;
}

struct Reader {
    dvd_reader_t* dvd = nullptr;
    ~Reader() {
        if (dvd) DVDClose(dvd);
    }
};

struct Ifo {
    ifo_handle_t* ifo = nullptr;
    ~Ifo() {
        if (ifo) ifoClose(ifo);
    }
};

VideoAttributes ReadVideo(const video_attr_t& v) {
    VideoAttributes a;
    a.mpegVersion = v.mpeg_version;
    a.pal = v.video_format == 1;
    a.aspect = v.display_aspect_ratio;
    a.permittedDisplay = v.permitted_df;
    a.line21Field1 = v.line21_cc_1;
    a.line21Field2 = v.line21_cc_2;
    a.pictureSize = v.picture_size;
    a.letterboxed = v.letterboxed;
    a.film = v.film_mode;
    return a;
}

AudioAttributes ReadAudio(const audio_attr_t& v) {
    AudioAttributes a;
    a.coding = v.audio_format;
    a.multichannel = v.multichannel_extension;
    a.languageType = v.lang_type;
    a.appMode = v.application_mode;
    a.quantization = v.quantization;
    a.sampleRate = v.sample_frequency;
    a.channels = static_cast<uint8_t>(v.channels + 1);
    a.language = v.lang_type == 1 ? v.lang_code : 0;
    a.extension = v.code_extension;
    if (a.appMode == 1) {
        a.karaokeAssignment = v.app_info.karaoke.channel_assignment;
        a.karaokeVersion = v.app_info.karaoke.version;
        a.karaokeMcIntro = v.app_info.karaoke.mc_intro == 0;
        a.karaokeDuet = v.app_info.karaoke.mode != 0;
    }
    return a;
}

SubpictureAttributes ReadSubpicture(const subp_attr_t& v) {
    SubpictureAttributes a;
    a.coding = v.code_mode;
    a.type = v.type;
    a.language = v.type == 1 ? v.lang_code : 0;
    a.extension = v.code_extension;
    return a;
}

int64_t CellTicks(const cell_playback_t& cell) {
    const dvd_time_t& t = cell.playback_time;
    return IfoTimeTicks(t.hour, t.minute, t.second, t.frame_u);
}

bool CountsForTime(const cell_playback_t& cell) {
    // Of an angle block only the first angle's cells make the title's time.
    return !(cell.block_type == BLOCK_TYPE_ANGLE_BLOCK && cell.block_mode != BLOCK_MODE_FIRST_CELL);
}

const pgc_t* Pgc(const ifo_handle_t* vts, unsigned pgcn) {
    if (!vts || !vts->vts_pgcit || pgcn < 1 || pgcn > vts->vts_pgcit->nr_of_pgci_srp) return nullptr;
    return vts->vts_pgcit->pgci_srp[pgcn - 1].pgc;
}

// Ticks of the PGC's cells before cell `cellN` (1-based).
int64_t TicksBeforeCell(const pgc_t* pgc, unsigned cellN) {
    int64_t ticks = 0;
    if (!pgc || !pgc->cell_playback) return 0;
    for (unsigned c = 1; c < cellN && c <= pgc->nr_of_cells; ++c)
        if (CountsForTime(pgc->cell_playback[c - 1])) ticks += CellTicks(pgc->cell_playback[c - 1]);
    return ticks;
}

int64_t PgcTicks(const pgc_t* pgc) {
    return pgc ? TicksBeforeCell(pgc, pgc->nr_of_cells + 1u) : 0;
}

void ReadTitleTimes(const ifo_handle_t* vts, TitleFacts& t) {
    if (!vts || !vts->vts_ptt_srpt || t.vtsTitle < 1 || t.vtsTitle > vts->vts_ptt_srpt->nr_of_srpts) return;
    const ttu_t& unit = vts->vts_ptt_srpt->title[t.vtsTitle - 1];
    if (!unit.ptt) return;
    // Chapters may lie in several program chains, played in the order of the chapters.
    unsigned lastPgc = 0;
    int64_t before = 0;  // ticks of the program chains already passed
    for (unsigned p = 0; p < unit.nr_of_ptts; ++p) {
        const ptt_info_t& ptt = unit.ptt[p];
        const pgc_t* pgc = Pgc(vts, ptt.pgcn);
        if (!pgc || !pgc->program_map || ptt.pgn < 1 || ptt.pgn > pgc->nr_of_programs) {
            t.chapterStartMs.push_back(static_cast<uint32_t>(TicksToMs(before)));
            continue;
        }
        if (lastPgc != 0 && ptt.pgcn != lastPgc) before += PgcTicks(Pgc(vts, lastPgc));
        lastPgc = ptt.pgcn;
        unsigned cell = pgc->program_map[ptt.pgn - 1];
        t.chapterStartMs.push_back(static_cast<uint32_t>(TicksToMs(before + TicksBeforeCell(pgc, cell))));
        if (pgc->nr_of_cells > 0 && pgc->cell_playback)
            t.frameRate = IfoFrameRate(pgc->cell_playback[0].playback_time.frame_u);
    }
    if (lastPgc) before += PgcTicks(Pgc(vts, lastPgc));
    t.lengthMs = static_cast<uint32_t>(TicksToMs(before));
    if (t.chapterStartMs.empty()) t.chapterStartMs.push_back(0);
}

std::vector<uint16_t> MenuLanguages(const ifo_handle_t* ifo) {
    std::vector<uint16_t> languages;
    if (!ifo || !ifo->pgci_ut || !ifo->pgci_ut->lu) return languages;
    for (unsigned i = 0; i < ifo->pgci_ut->nr_of_lus; ++i)
        languages.push_back(ifo->pgci_ut->lu[i].lang_code);
    return languages;
}

// The menus a domain has, in any of its languages: the entry program chains' menu types.
uint8_t Menus(const ifo_handle_t* ifo) {
    uint8_t menus = 0;
    if (!ifo || !ifo->pgci_ut || !ifo->pgci_ut->lu) return 0;
    for (unsigned i = 0; i < ifo->pgci_ut->nr_of_lus; ++i) {
        const pgcit_t* pgcit = ifo->pgci_ut->lu[i].pgcit;
        if (!pgcit || !pgcit->pgci_srp) continue;
        for (unsigned p = 0; p < pgcit->nr_of_pgci_srp; ++p) {
            uint8_t entry = pgcit->pgci_srp[p].entry_id;
            unsigned type = entry & 0x0f;
            if ((entry & 0x80) && type >= 2 && type <= 7) menus = static_cast<uint8_t>(menus | 1u << type);
        }
    }
    return menus;
}

}  // namespace

std::string VideoTsFolder(const std::string& given, bool (*isDirectory)(const std::string&)) {
    if (given.empty()) return "";
    std::string path = WithoutTrailingSeparators(given);
    if (EndsWithNoCase(path, ".IFO") || EndsWithNoCase(path, ".BUP") || EndsWithNoCase(path, ".VOB")) {
        size_t slash = path.find_last_of("\\/");
        return slash == std::string::npos ? "." : path.substr(0, slash);
    }
    if (EndsWithNoCase(path, "VIDEO_TS")) return path;
    std::string inner = path + (path.back() == '\\' || path.back() == '/' ? "" : "\\") + "VIDEO_TS";
    if (isDirectory && isDirectory(inner)) return inner;
    return path;
}

bool ReadDiscFacts(const std::string& folder, DiscFacts& facts, std::string& why) {
    facts = DiscFacts{};
    facts.folder = folder;
    Log log;
    dvd_logger_cb logger = {LogMessage};
    Reader reader;
    reader.dvd = DVDOpen2(&log, &logger, folder.c_str());
    if (!reader.dvd) {
        why = log.last.empty() ? "the folder cannot be opened as a DVD-Video volume" : log.last;
        return false;
    }
    Ifo vmg;
    vmg.ifo = ifoOpen(reader.dvd, 0);
    if (!vmg.ifo || !vmg.ifo->vmgi_mat || !vmg.ifo->tt_srpt || !vmg.ifo->tt_srpt->title) {
        why = "VIDEO_TS.IFO is missing or damaged";
        return false;
    }
    const vmgi_mat_t& mat = *vmg.ifo->vmgi_mat;
    facts.volumes = mat.vmg_nr_of_volumes;
    facts.volume = mat.vmg_this_volume_nr;
    facts.side = mat.disc_side;
    facts.regionMask = (mat.vmg_category >> 16) & 0xff;
    facts.managerMenuVideo = ReadVideo(mat.vmgm_video_attr);
    if (mat.nr_of_vmgm_audio_streams) facts.managerMenuAudio.push_back(ReadAudio(mat.vmgm_audio_attr));
    if (mat.nr_of_vmgm_subp_streams)
        facts.managerMenuSubpictures.push_back(ReadSubpicture(mat.vmgm_subp_attr));
    facts.menuLanguages = MenuLanguages(vmg.ifo);
    facts.managerMenus = Menus(vmg.ifo);
    unsigned char md5[16] = {};
    if (DVDDiscID(reader.dvd, md5) == 0)
        for (int i = 0; i < 8; ++i)
            facts.id = facts.id << 8 | md5[i];

    unsigned sets = mat.vmg_nr_of_title_sets;
    std::vector<Ifo> vts(sets);
    for (unsigned s = 1; s <= sets; ++s) {
        vts[s - 1].ifo = ifoOpen(reader.dvd, static_cast<int>(s));
        TitleSetAttributes attrs;
        const ifo_handle_t* ifo = vts[s - 1].ifo;
        if (ifo && ifo->vtsi_mat) {
            const vtsi_mat_t& v = *ifo->vtsi_mat;
            attrs.video = ReadVideo(v.vts_video_attr);
            attrs.menuVideo = ReadVideo(v.vtsm_video_attr);
            for (unsigned a = 0; a < v.nr_of_vts_audio_streams && a < 8; ++a)
                attrs.audio.push_back(ReadAudio(v.vts_audio_attr[a]));
            for (unsigned p = 0; p < v.nr_of_vts_subp_streams && p < 32; ++p)
                attrs.subpictures.push_back(ReadSubpicture(v.vts_subp_attr[p]));
            if (v.nr_of_vtsm_audio_streams) attrs.menuAudio.push_back(ReadAudio(v.vtsm_audio_attr));
            if (v.nr_of_vtsm_subp_streams) attrs.menuSubpictures.push_back(ReadSubpicture(v.vtsm_subp_attr));
            attrs.menuLanguages = MenuLanguages(ifo);
            attrs.menus = Menus(ifo);
        }
        facts.titleSets.push_back(attrs);
    }

    const tt_srpt_t& titles = *vmg.ifo->tt_srpt;
    for (unsigned i = 0; i < titles.nr_of_srpts; ++i) {
        const title_info_t& info = titles.title[i];
        TitleFacts t;
        t.titleSet = info.title_set_nr;
        t.vtsTitle = info.vts_ttn;
        t.angles = info.nr_of_angles ? info.nr_of_angles : 1;
        t.parentalId = info.parental_id;
        t.prohibited =
            (info.pb_ty.title_or_time_play ? 1u : 0u) | (info.pb_ty.chapter_search_or_play ? 2u : 0u);
        if (t.titleSet >= 1 && t.titleSet <= sets) ReadTitleTimes(vts[t.titleSet - 1].ifo, t);
        if (t.chapterStartMs.empty()) t.chapterStartMs.push_back(0);
        facts.titles.push_back(t);
    }
    if (facts.titles.empty()) {
        why = "the volume has no titles";
        return false;
    }

    if (vmg.ifo->ptl_mait && vmg.ifo->ptl_mait->nr_of_countries > 0 && vmg.ifo->ptl_mait->countries) {
        const ptl_mait_country_t& country = vmg.ifo->ptl_mait->countries[0];
        unsigned entries = vmg.ifo->ptl_mait->nr_of_vtss + 1u;
        if (country.pf_ptl_mai) {
            facts.levelMasks.assign(8, std::vector<uint16_t>(entries, 0));
            for (unsigned e = 0; e < entries; ++e)
                for (unsigned level = 0; level < 8; ++level)
                    facts.levelMasks[level][e] = country.pf_ptl_mai[e][level];
        }
    }
    return true;
}

uint32_t TitleParentalLevels(const DiscFacts& facts, unsigned title) {
    if (title < 1 || title > facts.titles.size()) return 0;
    if (facts.levelMasks.empty()) return 0xff;
    const TitleFacts& t = facts.titles[title - 1];
    uint32_t levels = 0;
    for (unsigned level = 1; level <= 8; ++level) {
        const auto& row = facts.levelMasks[level - 1];
        if (t.titleSet < row.size() && (row[t.titleSet] & t.parentalId)) levels |= 1u << (level - 1);
    }
    return levels ? levels : 0xff;
}

}  // namespace navigator
