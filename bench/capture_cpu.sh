#!/usr/bin/env bash
# What recording a moving picture costs, process by process, for three
# recorders doing the same job one after the other on the same scene:
#   recorder  record_bench.exe under Wine (our grab, encoder and writer);
#   gdigrab   FFmpeg's own GDI screen grabber under the same Wine, encoding
#             msmpeg4v3 at q 2 on one thread into AVI (ffmpeg.exe built by
#             scripts/build-ffmpeg-peer): the same job, the peer to beat;
#   x11grab   the native ffmpeg reading the X server through shared memory,
#             same encoder: the floor, which pays nothing to Wine.
# A recorder's CPU is its own user + system time (/proc/PID/stat) over the
# measured stretch, plus what the rig's wineserver and X server spent
# meanwhile beyond what they spend on the moving picture alone (measured
# first, over as long). Pictures: the positions (25 a second) with a picture
# of their own, out of all those the recording spans.
# Inside the rig, after scripts/build (the Windows build this machine runs):
#   scripts/rig exec -- bench/capture_cpu.sh [--seconds N] [--runs N] [--size WxH] [--busy]
# Without --size: 1280x720 on the rig's screen, the same with a busy loop
# holding one core, then 1920x1080 on a private Xvfb of that size (in a rig of
# its own). Other work on the machine shows up in the figures: compare within
# one run, repeat, and mind the load printed with each run. The last run's
# recordings and logs stay in build/<win32|win64>/bench/capture_cpu.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
seconds=20
runs=1
size=
busy=
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --busy) busy=1; shift ;;
    *) echo "usage: $0 [--seconds N] [--runs N] [--size WxH] [--busy]" >&2; exit 2 ;;
  esac
done
: "${RIG_DIR:?run inside the rig: scripts/rig exec -- $0}"
test_build=$(test_win_build)
bench_dir="$here/build/$test_build/bench"
[ -f "$bench_dir/record_bench.exe" ] || { echo "build first: scripts/build $test_build" >&2; exit 2; }
# The peer for the Windows build that runs here.
peer=$( ([ "$test_build" = win64 ] && export LUMISKOP_WIN_ARCH=x86_64; "$here/scripts/build-ffmpeg-peer") )
settle=4  # seconds from a recorder's start to the measured stretch
ticks=$(getconf CLK_TCK)

# The process whose environment holds NAME=VALUE and whose name is COMM.
marked_process() {
  local comm=$1 mark=$2 environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$comm" ] || continue
    grep -qsxzF "$mark" "$environ" && { echo "$pid"; return 0; }
  done
  return 1
}
wineserver=$(marked_process wineserver64 "WINEPREFIX=$WINEPREFIX" ||
             marked_process wineserver "WINEPREFIX=$WINEPREFIX") ||
  { echo "no wineserver of $WINEPREFIX" >&2; exit 1; }
# The rig's X server, or the private one that the caller names.
xserver=${CAPTURE_XVFB_PID:-$(marked_process Xvfb "RIG_DIR=$RIG_DIR")} ||
  { echo "no Xvfb of this rig" >&2; exit 1; }

# User + system ticks of a process (0 once it has gone).
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  stat=${stat##*) }  # the fields after the name, from the state on
  set -- $stat
  echo $((${12} + ${13}))
}

# Ticks of PID (or 0 for none), the wineserver and the X server over the next
# $seconds.
measure() {
  local pid=$1 p0 w0 x0
  p0=$( [ "$pid" = 0 ] && echo 0 || cpu_ticks "$pid")
  w0=$(cpu_ticks "$wineserver")
  x0=$(cpu_ticks "$xserver")
  sleep "$seconds"
  echo "$(( $( [ "$pid" = 0 ] && echo 0 || cpu_ticks "$pid") - p0 ))" \
    "$(( $(cpu_ticks "$wineserver") - w0 ))" "$(( $(cpu_ticks "$xserver") - x0 ))"
}

# "OWN/POSITIONS" from an ffmpeg progress log: the positions its output time
# spans, and those not filled by repeating a picture for a missed one.
ffmpeg_pictures() {
  tr '\r' '\n' <"$1" | grep 'frame=' | tail -1 |
    awk '{ f = 0; d = 0; t = 0
           if (match($0, /frame= *[0-9]+/)) { f = substr($0, RSTART, RLENGTH); sub(/frame= */, "", f) }
           if (match($0, /dup=[0-9]+/)) d = substr($0, RSTART + 4, RLENGTH - 4)
           if (match($0, /time=[0-9:.]+/)) { split(substr($0, RSTART + 5, RLENGTH - 5), p, ":"); t = p[1] * 3600 + p[2] * 60 + p[3] }
           n = int(t * 25 + 0.5); if (n < f) n = f
           printf "%d/%d", f - d, n }'
}

# Starts one recorder of WxH in the background for settle + seconds + 2 s;
# its process id goes to $started.
start_recorder() {
  local which=$1 w=$2 h=$3 out=$4 length=$((seconds + settle + 2))
  case "$which" in
    recorder)
      (cd "$bench_dir" && exec wine record_bench.exe --rect "0,0,$w,$h" --still \
        --seconds "$length" --out "Z:${out//\//\\}\\recorder.avi") </dev/null \
        >"$out/recorder.log" 2>&1 & ;;
    gdigrab)
      (cd "$out" && exec wine "$peer" -hide_banner -nostdin -loglevel error -stats \
        -f gdigrab -framerate 25 -offset_x 0 -offset_y 0 -video_size "${w}x${h}" -draw_mouse 1 \
        -i desktop -t "$length" -filter_threads 1 -threads 1 -pix_fmt yuv420p \
        -c:v msmpeg4v3 -vtag MP43 -q:v 2 -y gdigrab.avi) </dev/null >/dev/null \
        2>"$out/gdigrab.log" & ;;
    x11grab)
      ffmpeg -hide_banner -nostdin -loglevel error -stats -f x11grab -framerate 25 \
        -video_size "${w}x${h}" -i "$DISPLAY+0,0" -t "$length" -filter_threads 1 -threads 1 \
        -pix_fmt yuv420p -c:v msmpeg4v3 -q:v 2 -y "$out/x11grab.avi" </dev/null >/dev/null \
        2>"$out/x11grab.log" & ;;
  esac
  started=$!
}

pictures_of() {
  local which=$1 out=$2
  if [ "$which" = recorder ]; then
    sed -n 's|^SUMMARY [0-9x]*: \([0-9]*/[0-9]*\) positions.*|\1|p' "$out/recorder.log"
  else
    ffmpeg_pictures "$out/$which.log"
  fi
}

one_size() {
  local w=${1%x*} h=${1#*x} out="$bench_dir/capture_cpu/$1${busy:+-busy}" label=$1
  mkdir -p "$out"
  (cd "$bench_dir" && exec wine record_bench.exe --pattern "0,0,$w,$h") </dev/null >/dev/null 2>&1 &
  local pattern=$! spinner=
  sleep 3
  if [ -n "$busy" ]; then
    (while :; do :; done) &
    spinner=$!
    label="$label, one core busy"
  fi
  local run which own ws xs scene_ws scene_xs
  for run in $(seq "$runs"); do
    read -r _ scene_ws scene_xs < <(measure 0)
    awk -v l="$label" -v r="$run" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" -v w="$scene_ws" \
        -v x="$scene_xs" -v t="$ticks" -v s="$seconds" 'BEGIN {
      printf "%s run %d (load %s): the moving picture alone costs wineserver %.2f + X %.2f CPU s in %d s\n",
        l, r, load, w / t, x / t, s }'
    local results=()
    for which in recorder gdigrab x11grab; do
      start_recorder "$which" "$w" "$h" "$out"
      sleep "$settle"
      read -r own ws xs < <(measure "$started")
      wait "$started" || echo "$which failed: $(tail -c 300 "$out/$which.log")" >&2
      results+=("$which $own $((ws - scene_ws)) $((xs - scene_xs)) $(pictures_of "$which" "$out")")
    done
    # Per picture: the CPU over the pictures that the share of its own
    # gives the measured stretch, so that a recorder that misses pictures
    # does not look cheap.
    printf '%s\n' "${results[@]}" | awk -v t="$ticks" -v s="$seconds" '
      { name[NR] = $1; own[NR] = $2 / t; srv[NR] = ($3 + $4) / t; total[NR] = own[NR] + srv[NR]
        split($5, p, "/"); pics[NR] = $5; share[NR] = p[2] ? 100 * p[1] / p[2] : 0 }
      END {
        for (i = 1; i <= NR; ++i)
          printf "  %-9s %6.2f CPU s (own %5.2f, wineserver + X %5.2f)  pictures %s (%.1f %%)  %.1f ms a picture\n",
            name[i], total[i], own[i], srv[i], pics[i], share[i],
            (share[i] > 0 ? 1000 * total[i] / (share[i] / 100 * s * 25) : 0)
        for (i = 1; i <= NR; ++i) each[i] = share[i] > 0 ? total[i] / share[i] : 0
        peer = total[2] > 0 ? total[1] / total[2] : 0
        floor = total[3] > 0 ? total[1] / total[3] : 0
        peerEach = each[2] > 0 ? each[1] / each[2] : 0
        floorEach = each[3] > 0 ? each[1] / each[3] : 0
        printf "  recorder / gdigrab %.2f (a picture %.2f)   recorder / x11grab %.2f (a picture %.2f)\n",
          peer, peerEach, floor, floorEach
      }'
  done
  if [ -n "$spinner" ]; then kill "$spinner"; wait "$spinner" 2>/dev/null || true; fi
  kill "$pattern" 2>/dev/null || true
  wait "$pattern" 2>/dev/null || true
}

if [ -n "$size" ]; then
  one_size "$size"
  exit 0
fi

one_size 1280x720
busy=1 one_size 1280x720
busy=

# 1920x1080 does not fit the rig's screen: a private Xvfb of that size with a
# rig of its own on it.
fifo="$RIG_DIR/big-displayfd"
mkfifo "$fifo"
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp -noreset 5>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 20 number <"$fifo" || { echo "Xvfb 1920x1080 did not start" >&2; exit 1; }
DISPLAY=":$number" CAPTURE_XVFB_PID=$xvfb RIG_DIR= "$here/scripts/rig" exec -- "$0" \
  --seconds "$seconds" --runs "$runs" --size 1920x1080
