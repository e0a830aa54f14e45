# The cross-build of FFmpeg for Windows from Debian's source package, shared
# by the program's builds (build-ffmpeg-win32) and the benchmark's peer
# (build-ffmpeg-peer). Sourced after common.sh, not run.

# Where every configuration starts: static libraries, nothing but what a
# configuration enables, SSE2 arithmetic as in the rest of the Windows build.
ffmpeg_base_config=(
  --enable-cross-compile --arch=$ffmpeg_arch --target-os=mingw32
  --cross-prefix=${mingw_prefix}- --cc=$mingw_cc --cxx=$mingw_cxx
  --x86asmexe=nasm
  --disable-everything --disable-programs --disable-doc --disable-network
  --disable-autodetect --disable-debug --enable-static --disable-shared
  --enable-w32threads
  ${win_fp_flags:+"--extra-cflags=$win_fp_flags"}
)
# Edits to the source before configure; part of the cache stamp.
# FFmpeg's random seed would take BCryptGenRandom from bcrypt.dll, which
# Windows XP lacks; without it the seed comes from the timer.
ffmpeg_source_edits=(
  's/^check_lib bcrypt .*&&$/disable bcrypt; false \&\&/'
)

# build_ffmpeg_win CACHE_DIR CONFIGURE-FLAGS...
# Builds and installs FFmpeg with those flags into CACHE_DIR/<stamp>, where the
# stamp covers the source version, the flags and the edits, unless that build
# is there already; points CACHE_DIR/current at it and prints its folder.
build_ffmpeg_win() {
  local cache_dir=$1
  shift
  local version stamp dest work
  version=$(ffmpeg_source_version)
  [ -n "$version" ] || die "libavcodec-dev is not installed (run scripts/setup)"
  stamp=$(printf '%s\n' "$version" "$@" "${ffmpeg_source_edits[@]}" | sha1sum | cut -c1-12)
  dest="$cache_dir/$stamp"
  if [ -f "$dest/.complete" ]; then
    echo "$dest"
    ln -sfn "$dest" "$cache_dir/current"
    return 0
  fi

  log "building FFmpeg $version for Windows ($win_arch) into $dest"
  work=$(mktemp -d "${TMPDIR:-/tmp}/ffmpeg-src.XXXXXX")
  trap "rm -rf '$work'" EXIT
  (
    cd "$work"
    apt-get source --download-only "ffmpeg=$version" >/dev/null 2>&1 \
      || apt-get source --download-only ffmpeg >/dev/null 2>&1 \
      || die "apt-get source ffmpeg failed (is deb-src enabled?)"
    dpkg-source -x ffmpeg_*.dsc src >/dev/null 2>&1 || die "unpacking the FFmpeg source failed"
    cd src
    local edit
    for edit in "${ffmpeg_source_edits[@]}"; do sed -i "$edit" configure; done
    ./configure --prefix="$dest" "$@" >configure.log 2>&1 \
      || { tail -30 configure.log; die "FFmpeg configure failed"; }
    ! grep -q '^#define HAVE_BCRYPT 1' config.h || die "FFmpeg would still use bcrypt.dll"
    make -j"$(nproc)" >make.log 2>&1 || { tail -30 make.log; die "FFmpeg build failed"; }
    rm -rf "$dest"
    make install >/dev/null
  )
  touch "$dest/.complete"
  ln -sfn "$dest" "$cache_dir/current"
  log "FFmpeg for Windows ready: $dest"
  echo "$dest"
}
