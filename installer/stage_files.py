#!/usr/bin/env python3
"""Copies the files that ship into one staging folder and writes the installer's two lists of
them, so the uninstaller removes exactly what the installer put down and nothing the user added.

Usage: stage_files.py BIN_DIR STAGE_DIR NSH_DIR ENTRY...
An ENTRY is a file of BIN_DIR, or a folder of it whose files (not subfolders) all ship.
"""
import os
import shutil
import sys


def main():
    bin_dir, stage, nsh_dir, *entries = sys.argv[1:]
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    files, folders = [], []
    for entry in entries:
        source = os.path.join(bin_dir, entry)
        if os.path.isdir(source):
            folders.append(entry)
            os.makedirs(os.path.join(stage, entry))
            for name in sorted(os.listdir(source)):
                if os.path.isfile(os.path.join(source, name)):
                    files.append(f"{entry}/{name}")
        elif os.path.isfile(source):
            files.append(entry)
        else:
            sys.exit(f"stage_files: {source} was not built")
    for f in files:
        shutil.copy2(os.path.join(bin_dir, f), os.path.join(stage, f))

    def win(path):
        return path.replace("/", "\\")

    with open(os.path.join(nsh_dir, "install_files.nsh"), "w") as out:
        out.write("; Written by stage_files.py: every file the installer puts down.\n")
        for folder in [""] + folders:
            out.write(f'SetOutPath "$INSTDIR{chr(92) + win(folder) if folder else ""}"\n')
            for f in files:
                if os.path.dirname(f) == folder:
                    out.write(f'File "{os.path.join(stage, f)}"\n')
        out.write('SetOutPath "$INSTDIR"\n')
    with open(os.path.join(nsh_dir, "uninstall_files.nsh"), "w") as out:
        out.write("; Written by stage_files.py: the same files, for the uninstaller to remove.\n")
        for f in files:
            out.write(f'Delete "$INSTDIR\\{win(f)}"\n')
        for folder in folders:
            out.write(f'RMDir "$INSTDIR\\{win(folder)}"\n')


if __name__ == "__main__":
    main()
