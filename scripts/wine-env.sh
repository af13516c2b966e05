# Sourced with the build directory as $1: the private Wine environment of one build tree.
# Nothing here touches the user's own Wine prefix or home.
_tm_build=$(cd "$1" && pwd)
_tm_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Tests run in lanes (TESMARO_LANE, 1 unless told), each with a prefix, a wineserver and an Xvfb
# of its own, so that two programs under test never share a desktop, a registry or a focus.
# Lane 1 keeps the plain names; another lane always runs on its own private display.
_tm_lane=${TESMARO_LANE:-1}
_tm_suffix=
if [ "$_tm_lane" != 1 ]; then
  _tm_suffix=$_tm_lane
  unset DISPLAY
fi
export WINEPREFIX="$_tm_build/wineprefix$_tm_suffix"
export TESMARO_STATE="$_tm_build/wine$_tm_suffix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts in a fresh prefix. No menu entries or file types of the
# build's prefix in the desktop of the machine (the installer makes Start-menu shortcuts).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Sound goes to a null ALSA device in tests (TESMARO_NULL_AUDIO=1) and where there is no display
# (the player then runs on a private Xvfb, and nobody listens); on a desktop the user hears it.
if [ "${TESMARO_NULL_AUDIO:-}" = 1 ] || [ -z "${DISPLAY:-}" ]; then
  export ALSA_CONFIG_PATH="$_tm_src/scripts/alsa-null.conf"
fi
# Where the kernel runs no 32-bit programs, the emulator runs Wine (setup.sh); the programs it
# runs get the trap numbers of their memory faults mended, or Wine could not handle one ($LIB is
# the loader's own: each program gets the build for its kind).
if [ -f /proc/sys/fs/binfmt_misc/tesmaro-i386 ]; then
  export QEMU_SET_ENV='LD_PRELOAD=/usr/local/lib/tesmaro-emulator/$LIB/faults.so'
fi
export TESMARO_BUILD="$_tm_build"
