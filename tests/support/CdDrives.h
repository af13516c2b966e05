// Test support: real CD-ROM drives in the test prefix. Each drive is a folder mapped as a drive
// letter and marked as a CD-ROM in Wine's drive configuration, so the platform lists it and
// calls it DRIVE_CDROM. "Inserting" a disc is creating its files in the folder, "removing" it is
// deleting them. Every drive and its folder go away with the object.
#pragma once

#include <windows.h>

#include <string>

namespace disctest {

class CdDrive {
public:
    // A drive on the first free letter from `from` onwards (upper case); `label`, when not empty,
    // is the volume label the platform reports for it.
    explicit CdDrive(char from = 'M', const std::string& label = {});
    ~CdDrive();
    CdDrive(const CdDrive&) = delete;
    CdDrive& operator=(const CdDrive&) = delete;

    explicit operator bool() const { return mLetter != 0; }
    char Letter() const { return mLetter; }
    std::string Root() const { return std::string(1, mLetter) + ":\\"; }
    // The folder behind the drive, with a trailing backslash.
    const std::string& Folder() const { return mFolder; }

    // Copies `source` to `relative` under the drive root, making the folders on the way.
    bool PutFile(const std::string& relative, const std::string& source) const;
    // A Video CD's tracks 1..count (".DAT" under "MPEGAV", or another layout's folder, stem and
    // extension), each a copy of `source`.
    bool PutTracks(const std::string& folder, const std::string& stem, const std::string& extension,
                   int count, const std::string& source) const;
    bool RemoveFile(const std::string& relative) const;
    // Takes every file out of the drive; the drive stays, empty.
    void Empty() const;
    // Makes the drive a fixed disk (or a CD-ROM again) under the same letter and folder.
    bool MarkFixed(bool fixed) const;

private:
    char mLetter = 0;
    std::string mFolder;
};

// Defines (or, with an empty unix path, removes) drive `letter` through Wine's mount manager.
bool DefineWineDrive(char letter, const std::string& unixPath, UINT driveType);
// The unix path of a Windows path, through Wine's own conversion.
std::string UnixPathOf(const std::string& windowsPath);
// Removes every CD-ROM drive of the test prefix (it has none of its own), with its configuration.
void RemoveAllCdDrives();
// Deletes a folder and everything in it.
void RemoveTree(const std::string& folder);

}  // namespace disctest
