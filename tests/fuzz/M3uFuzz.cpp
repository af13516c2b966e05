// M3U text: read whole and in pieces of a size the input chooses; both readings must agree and
// every entry must be one that can be played through a path buffer.
#include <string_view>

#include "FuzzTarget.h"
#include "PlaylistModel.h"

FUZZ_TARGET(FuzzM3u) {
    if (size == 0) return 0;
    const char* text = reinterpret_cast<const char*>(data) + 1;
    size_t length = size - 1;
    size_t piece = 1 + data[0] % 64;

    playlist::Playlist whole;
    {
        playlist::M3uReader reader(whole);
        reader.Feed(text, length);
        reader.Finish();
    }
    playlist::Playlist pieces;
    {
        playlist::M3uReader reader(pieces);
        for (size_t at = 0; at < length; at += piece)
            reader.Feed(text + at, length - at < piece ? length - at : piece);
        reader.Finish();
    }
    FUZZ_CHECK(whole == pieces);
    size_t lineEnds = 0;
    for (size_t i = 0; i < length; ++i)
        lineEnds += text[i] == '\n' || text[i] == '\r';
    FUZZ_CHECK(whole.size() <= lineEnds + 1);
    for (std::string_view entry : whole) {
        FUZZ_CHECK(!entry.empty() && entry.size() <= playlist::kMaxEntryLength);
        FUZZ_CHECK(entry.front() != '#');
        FUZZ_CHECK(!playlist::IsBlankText(entry));
        FUZZ_CHECK(entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);
    }
    (void)playlist::IsPlaylistFile(std::string_view(text, length));
    (void)playlist::IsMediaFile(std::string_view(text, length));
    return 0;
}
