// The MPEG decoder registration around graph building and the Filters submenu arrive with their
// own work; until then graphs are built with the decoders the system offers and the submenu
// stays as the menu resource has it.
#include "FilePlayer.h"

int FilePlayer::RegisterDecoders(const char*) {
    return 0;
}

int FilePlayer::UnregisterDecoders(const char*) {
    return 0;
}

int FilePlayer::RemoveExtraFilters() {
    return 0;
}

HRESULT FilePlayer::FillFiltersMenu(HMENU) {
    return S_OK;
}

void FilePlayer::ShowFilterPropertyPage(const char*) {}
