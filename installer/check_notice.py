#!/usr/bin/env python3
"""Fails the packaging when the notice file does not name a library at the version the build
linked, so that the installer and the zip never carry a notice of other versions.

Usage: check_notice.py NOTICE VERSIONS
VERSIONS holds one "name-version" per line (scripts/deps.sh writes it).
"""
import sys


def main():
    notice_path, versions_path = sys.argv[1:]
    notice = open(notice_path, encoding="utf-8").read()
    missing = []
    for line in open(versions_path, encoding="utf-8"):
        line = line.strip()
        if not line:
            continue
        name, _, version = line.rpartition("-")
        if f"{name} {version} " not in notice:
            missing.append(f"{name} {version}")
    if missing:
        sys.exit(f"check_notice: {notice_path} does not name {', '.join(missing)}")


if __name__ == "__main__":
    main()
