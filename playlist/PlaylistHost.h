// What the playlist window needs from the window that owns the playlist: the entries, the index
// being played, the random-order flag and the operations that play and close media.
#pragma once

#include "Playlist.h"

class PlaylistHost {
public:
    virtual playlist::Playlist& PlaylistEntries() = 0;
    virtual int& PlaylistCurrentIndex() = 0;
    virtual int& PlaylistShuffle() = 0;
    // Closes the media that is open, then empties the playlist.
    virtual void ClearPlaylistAndMedia() = 0;
    virtual void CloseOpenMedia() = 0;
    // Plays entry index through the deferred open command; false when there is no such entry.
    virtual bool PlayPlaylistEntry(int index) = 0;
    // The caption of the messages the playlist shows.
    virtual const char* ApplicationTitle() const = 0;

protected:
    ~PlaylistHost() = default;
};
