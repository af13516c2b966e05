#include "DvdBookmark.h"

#include <objbase.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

std::wstring WideFromAnsi(const char* text) {
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH - 1);
    return wide;
}

constexpr DWORD kWriteMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE;
constexpr DWORD kReadMode = STGM_SHARE_EXCLUSIVE | STGM_READ;

}  // namespace

BookmarkFiles BookmarkFilesIn(const std::string& dataFolder) {
    if (dataFolder.empty()) return {kLegacyBookmarkPath, {kLegacyBookmarkPath}};
    std::string own = dataFolder + kBookmarkFileName;
    return {own, {own, kLegacyBookmarkPath}};
}

bool SaveBookmark(IDvdInfo2* dvdInfo, const char* path) {
    if (!dvdInfo || !path) return false;
    ComPtr<IDvdState> state;
    if (FAILED(dvdInfo->GetState(state.GetAddressOf())) || !state) return false;
    ComPtr<IStorage> storage;
    if (FAILED(::StgCreateDocfile(WideFromAnsi(path).c_str(), kWriteMode, 0, storage.GetAddressOf())))
        return false;
    ComPtr<IStream> stream;
    if (FAILED(storage->CreateStream(kBookmarkStream, kWriteMode, 0, 0, stream.GetAddressOf()))) return false;
    ComPtr<IPersistStream> persist;
    if (FAILED(state->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf()))))
        return false;
    // Direct mode: the data is in the file once the storage is released, here on return.
    return SUCCEEDED(::OleSaveToStream(persist.Get(), stream.Get()));
}

BookmarkRestore RestoreBookmark(IDvdControl2* dvdControl, const char* path) {
    if (!path || ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return BookmarkRestore::Missing;
    if (!dvdControl) return BookmarkRestore::Refused;
    ComPtr<IStorage> storage;
    if (FAILED(::StgOpenStorage(WideFromAnsi(path).c_str(), nullptr, kReadMode, nullptr, 0,
                                storage.GetAddressOf())))
        return BookmarkRestore::Unreadable;
    ComPtr<IStream> stream;
    if (FAILED(storage->OpenStream(kBookmarkStream, nullptr, kReadMode, 0, stream.GetAddressOf())))
        return BookmarkRestore::Unreadable;
    ComPtr<IDvdState> state;
    HRESULT hr =
        ::OleLoadFromStream(stream.Get(), IID_IDvdState, reinterpret_cast<void**>(state.GetAddressOf()));
    stream.Reset();
    storage.Reset();
    if (FAILED(hr) || !state) return BookmarkRestore::Unreadable;
    if (FAILED(dvdControl->SetState(state.Get(), DVD_CMD_FLAG_Block, nullptr))) return BookmarkRestore::Refused;
    return BookmarkRestore::Restored;
}
