# Shared helpers for the project's scripts. Sourced, not run.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# Dependency builds live outside the source tree so a fresh clone reuses them.
cache_root="${LUMISKOP_CACHE:-/var/cache/lumiskop}"

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
die() { log "error: $*"; exit 1; }

# The Windows target: i686 is the program we ship. x86_64 builds the same
# sources for 64-bit Windows, for machines whose kernel runs no 32-bit code
# (Wine's 32-bit loader cannot start there, wine64 can).
win_arch="${LUMISKOP_WIN_ARCH:-i686}"
# Every build does its floating-point arithmetic on SSE2: x86_64 and the
# native build do so anyway, and i686 would otherwise use the x87 unit, whose
# precision depends on each thread's control word (3.0 / 10.0 * 100 truncates
# to 29 there, to 30 everywhere else). win_fp_flags go to every compiler run
# of the Windows build, ours and the dependencies' alike.
case "$win_arch" in
  i686)   win_build=win32; ffmpeg_arch=x86; win_fp_flags="-msse2 -mfpmath=sse" ;;
  x86_64) win_build=win64; ffmpeg_arch=x86_64; win_fp_flags="" ;;
  *) die "unknown LUMISKOP_WIN_ARCH '$win_arch' (i686 or x86_64)" ;;
esac
mingw_prefix=$win_arch-w64-mingw32
mingw_cc=${mingw_prefix}-gcc-posix
mingw_cxx=${mingw_prefix}-g++-posix

# True when this machine can run 32-bit x86 programs (Wine's 32-bit loader).
can_run_i386() {
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# The Windows build that the tests run here: the shipped 32-bit build where
# 32-bit code runs, otherwise its 64-bit twin. LUMISKOP_TEST_BUILD overrides.
test_win_build() {
  if [ -n "${LUMISKOP_TEST_BUILD:-}" ]; then
    echo "$LUMISKOP_TEST_BUILD"
  elif can_run_i386; then
    echo win32
  else
    echo win64
  fi
}

# The Debian source versions the Windows dependencies are built from (empty
# when unknown); the build scripts and the release's licence notices use them.
ffmpeg_source_version() { dpkg-query -W -f='${Version}' libavcodec-dev 2>/dev/null || true; }
sdl_source_version() {
  apt-cache showsrc libsdl1.2 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -1
}
x264_source_version() {
  apt-cache policy x264 2>/dev/null | sed -n 's/^ *Candidate: *//p' | grep -vx '(none)' || true
}

# Settings of a new Wine prefix for the tests (run with WINEPREFIX set).
configure_wine_prefix() {
  # No window manager here: unmanaged windows exit without Wine's 4 s delay.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  # A crashing test ends instead of waiting in the debugger's dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d 'false' /f
}
