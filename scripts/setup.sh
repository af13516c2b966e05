#!/usr/bin/env bash
# Prepares a Debian machine to build Tesmaro Player and run it under 32-bit Wine.
# Idempotent: installs only the packages that are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make g++-mingw-w64-i686 mingw-w64-i686-dev googletest
  wine wine32:i386 wine64 xvfb x11-utils imagemagick
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  gstreamer1.0-plugins-bad:i386 gstreamer1.0-plugins-ugly:i386
  gstreamer1.0-libav:i386 ffmpeg python3-pil fonts-wine dvdauthor
  clang-14 libclang-rt-14-dev nsis fp-utils zip
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  updated=0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # A mirror caught mid-sync fails one index file; the others still serve the install.
  "${sudo_cmd[@]}" apt-get update -qq || echo "setup: apt-get update reported errors; going on with the indexes it has"
  install=(env DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends)
  # When one architecture's security index is missing, the i386 and amd64 halves of a library
  # no longer agree on a version; the release's own versions always do.
  "${install[@]}" "${missing[@]}" >/dev/null ||
    "${install[@]}" -t "$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")" "${missing[@]}" >/dev/null
fi
# The DVD navigator is built from Debian's own sources of libdvdread, libdvdnav, libmpeg2 and
# liba52 (scripts/deps.sh fetches them with apt-get source), so apt needs a deb-src entry for the
# archive this machine already uses.
src_list=/etc/apt/sources.list.d/tesmaro-deb-src.sources
if [ ! -f "$src_list" ]; then
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if [ -z "$uri" ]; then
    echo "setup: no Debian archive found in /etc/apt/sources.list.d/debian.sources" >&2
    exit 1
  fi
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  # Another build on the machine may hold apt's locks for a while: wait for them.
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq ||
    echo "setup: apt-get update reported errors; going on with the indexes it has"
fi

# 32-bit Wine needs the kernel to run 32-bit programs. A kernel booted with its 32-bit emulation
# off refuses them ("Exec format error"); there the user-mode emulator runs them instead, handed
# every 32-bit x86 program by the kernel, while Wine's server and all else stay native. Wine
# needs an emulator of Debian 13 or later: the one of Debian 12 mishandles Wine's fixed mappings.
misc=/proc/sys/fs/binfmt_misc
if [ -f "$misc/tesmaro-i386" ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  qemu=/usr/bin/qemu-i386
  if ! "$qemu" -version 2>/dev/null | grep -Eq 'version ([89]|[1-9][0-9])\.'; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    qemu_suite=$codename
    if [ "$codename" = bookworm ]; then
      qemu_suite=trixie
      uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
      # The newer release serves this one package only: everything else keeps its own.
      printf 'Types: deb\nURIs: %s\nSuites: trixie\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$uri" | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tesmaro-trixie.sources >/dev/null
      printf 'Package: *\nPin: release n=trixie\nPin-Priority: 50\n' |
        "${sudo_cmd[@]}" tee /etc/apt/preferences.d/tesmaro-trixie >/dev/null
      "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq ||
        echo "setup: apt-get update reported errors; going on with the indexes it has"
    fi
    echo "setup: this kernel runs no 32-bit programs; installing the emulator for them"
    env DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
      "qemu-user/$qemu_suite" >/dev/null
  fi
  [ -f "$misc/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$misc"
  if [ ! -f "$misc/tesmaro-i386" ]; then
    # ELF, 32-bit, little-endian, an executable or a shared object, for the i386.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":tesmaro-i386:M::$magic:$mask:$qemu:F" | "${sudo_cmd[@]}" tee "$misc/register" >/dev/null
  fi
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "setup: this machine runs no 32-bit programs, even through the emulator: Wine cannot run here" >&2
    exit 1
  fi
  # The emulator leaves the trap number of a memory fault at -1, which Wine cannot handle:
  # scripts/emulator_faults.c, preloaded by wine-env.sh, mends it. The preload reaches the
  # native programs that Wine starts too (its server): they get the same code built for them,
  # which never finds such a number.
  faults=/usr/local/lib/tesmaro-emulator/lib
  if [ ! -f "$faults/i386-linux-gnu/faults.so" ] || [ "$here/emulator_faults.c" -nt "$faults/i386-linux-gnu/faults.so" ]; then
    dpkg-query -W -f='${Status}' gcc-multilib 2>/dev/null | grep -q 'install ok installed' ||
      env DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        gcc-multilib >/dev/null
    "${sudo_cmd[@]}" mkdir -p "$faults/i386-linux-gnu" "$faults/x86_64-linux-gnu"
    "${sudo_cmd[@]}" gcc -m32 -shared -fPIC -O2 -o "$faults/i386-linux-gnu/faults.so" "$here/emulator_faults.c" -ldl
    "${sudo_cmd[@]}" gcc -shared -fPIC -O2 -o "$faults/x86_64-linux-gnu/faults.so" "$here/emulator_faults.c" -ldl
  fi
fi
echo "setup: packages ready"
