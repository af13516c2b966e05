#!/usr/bin/env bash
# deps.sh DEPS_DIR: the DVD navigator's libraries, from Debian's source packages, cross-built as
# static libraries for i686-w64-mingw32 into DEPS_DIR/prefix (lib/*.a, include/).
#   libdvdread (IFO and VOB reading), libdvdnav (the DVD virtual machine), libmpeg2 (from the
#   source package mpeg2dec: MPEG-1/2 video) and liba52 (from a52dec: AC-3 audio).
# The upstream tarballs that Debian ships (*.orig.tar.*) are built as they are: Debian's own
# patches only adapt them to Debian's packaging. A library already built at the same version is
# left alone, so a rebuild does not redo it. Needs the deb-src entry that scripts/setup.sh writes.
set -euo pipefail
deps=$(mkdir -p "$1" && cd "$1" && pwd)
prefix=$deps/prefix
downloads=$deps/downloads
work=$deps/work
host=i686-w64-mingw32
cc=$host-gcc-posix
mkdir -p "$prefix" "$downloads" "$work"

# The source package's upstream tarball, fetched once. apt-get may fail on a part that the
# archive no longer holds (mpeg2dec's Debian tarball); only the upstream tarball matters here.
fetch() {
  local package=$1
  local orig
  orig=$(ls "$downloads/${package}"_*.orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -1 || true)
  if [ -z "$orig" ]; then
    (cd "$downloads" && apt-get source --download-only "$package" >"$downloads/$package.log" 2>&1) || true
    orig=$(ls "$downloads/${package}"_*.orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -1 || true)
  fi
  if [ -z "$orig" ]; then
    echo "deps: could not fetch the source of $package (is the deb-src entry of scripts/setup.sh there?)" >&2
    cat "$downloads/$package.log" >&2 || true
    exit 1
  fi
  echo "$orig"
}

# Unpacks a tarball into a fresh folder and prints that folder.
unpack() {
  local tarball=$1 name=$2
  rm -rf "${work:?}/$name"
  mkdir -p "$work/$name"
  tar -xf "$tarball" -C "$work/$name" --strip-components=1
  echo "$work/$name"
}

# A library counts as built when its stamp names this script's recipe: a change of the recipe
# below builds them again.
recipe=$(sha1sum "$0" | cut -c1-40)
built() { [ "$(cat "$prefix/.built-$1" 2>/dev/null)" = "$recipe" ]; }
mark() {
  rm -f "$prefix/.built-${1%-*}"-*
  echo "$recipe" >"$prefix/.built-$1"
}

# libmpeg2's and liba52's configure define `inline` as an always-inline attribute in the header
# it generates; mingw's C library headers then define their inline functions in every object, and
# linking fails. The generated header (not the sources) goes back to the compiler's own `inline`.
plain_inline() {
  sed -i 's|^#define inline __attribute__ ((__always_inline__))$|/* inline: the compiler'"'"'s own */|' include/config.h
}

common=(--host=$host --prefix="$prefix" --disable-shared --enable-static CC=$cc)

orig=$(fetch libdvdread)
version=$(basename "$orig" | sed -E 's/^[^_]+_([^.]+(\.[0-9]+)*)\.orig.*/\1/')
if ! built "libdvdread-$version"; then
  echo "deps: building libdvdread $version"
  dir=$(unpack "$orig" libdvdread)
  (cd "$dir" && ./configure "${common[@]}" --disable-apidoc >build.log 2>&1 && make -j2 >>build.log 2>&1 &&
    make install >>build.log 2>&1) || { tail -30 "$dir/build.log"; exit 1; }
  rm -f "$prefix"/.built-libdvdnav-*  # it links the libdvdread it was configured with
  mark "libdvdread-$version"
fi

orig=$(fetch libdvdnav)
version=$(basename "$orig" | sed -E 's/^[^_]+_([^.]+(\.[0-9]+)*)\.orig.*/\1/')
if ! built "libdvdnav-$version"; then
  echo "deps: building libdvdnav $version"
  dir=$(unpack "$orig" libdvdnav)
  (cd "$dir" && PKG_CONFIG_PATH="$prefix/lib/pkgconfig" PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" \
    ./configure "${common[@]}" >build.log 2>&1 && make -j2 >>build.log 2>&1 && make install >>build.log 2>&1) ||
    { tail -30 "$dir/build.log"; exit 1; }
  # The navigator reads and sets the virtual machine's registers (parental level, streams, GPRMs),
  # which libdvdnav's API does not offer: the headers of its state, as this very build made it.
  private=$prefix/include/dvdnav-private
  rm -rf "$private"
  mkdir -p "$private/vm"
  cp "$dir/config.h" "$dir/src/dvdnav_internal.h" "$private/"
  cp "$dir/src/vm/vm.h" "$dir/src/vm/decoder.h" "$private/vm/"
  mark "libdvdnav-$version"
fi

orig=$(fetch mpeg2dec)
version=$(basename "$orig" | sed -E 's/^[^_]+_([^.]+(\.[0-9]+)*)\.orig.*/\1/')
if ! built "libmpeg2-$version"; then
  echo "deps: building libmpeg2 $version"
  dir=$(unpack "$orig" libmpeg2)
  # Only the library and its headers: the sample programs need SDL or X.
  (cd "$dir" && ./configure "${common[@]}" --disable-sdl --without-x >build.log 2>&1 && plain_inline &&
    make -j2 -C libmpeg2 >>build.log 2>&1 && make -C libmpeg2 install >>build.log 2>&1 &&
    make -C include install >>build.log 2>&1) || { tail -30 "$dir/build.log"; exit 1; }
  mark "libmpeg2-$version"
fi

orig=$(fetch a52dec)
version=$(basename "$orig" | sed -E 's/^[^_]+_([^.]+(\.[0-9]+)*)\.orig.*/\1/')
if ! built "liba52-$version"; then
  echo "deps: building liba52 $version"
  dir=$(unpack "$orig" liba52)
  # The tarball's config.sub predates mingw-w64's triplet; the machine's own copy knows it.
  for f in config.sub config.guess; do
    [ -f "/usr/share/misc/$f" ] && find "$dir" -name "$f" -exec cp "/usr/share/misc/$f" {} \;
  done
  (cd "$dir" && ./configure "${common[@]}" >build.log 2>&1 && plain_inline && make -j2 -C liba52 >>build.log 2>&1 &&
    make -C liba52 install >>build.log 2>&1 && make -C include install >>build.log 2>&1) ||
    { tail -30 "$dir/build.log"; exit 1; }
  mark "liba52-$version"
fi

# What the build links, with the versions the licence notice names.
{
  for s in "$prefix"/.built-*; do basename "$s" | sed 's/^\.built-//'; done
} >"$prefix/versions.txt"
echo "deps: ready ($(tr '\n' ' ' <"$prefix/versions.txt"))"
