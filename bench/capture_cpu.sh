#!/usr/bin/env bash
# What recording a moving picture costs the whole machine: the recorder
# (record_bench.exe under Wine) against the native ffmpeg x11grab with the
# same encoder (msmpeg4v3 at q 2, one thread), each net of the scene alone.
# Inside the rig, after scripts/build (the Windows build this machine runs):
#   scripts/rig exec -- bench/capture_cpu.sh [--seconds N] [--runs N] [--size WxH]
# Without --size: 1280x720 on the rig's display, then 1920x1080 on a private
# Xvfb of that size (in a rig of its own). CPU comes from /proc/stat, so
# whatever else runs on the machine shows up in the figures: compare the two
# recorders within one run, and repeat.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
seconds=20
runs=1
size=
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    *) echo "usage: $0 [--seconds N] [--runs N] [--size WxH]" >&2; exit 2 ;;
  esac
done
: "${RIG_DIR:?run inside the rig: scripts/rig exec -- $0}"
test_build=$(test_win_build)
bench_dir="$here/build/$test_build/bench"
[ -f "$bench_dir/record_bench.exe" ] || { echo "build first: scripts/build $test_build" >&2; exit 2; }
settle=4  # seconds from a recorder's start to the measured stretch
cores=$(nproc)

# Busy and total jiffies of the whole machine.
cpu_counters() {
  local _cpu user nice system idle iowait irq softirq steal
  read -r _cpu user nice system idle iowait irq softirq steal _ </proc/stat
  echo "$((user + nice + system + irq + softirq + steal)) $((user + nice + system + idle + iowait + irq + softirq + steal))"
}

# Cores in use over the next $seconds.
busy_cores() {
  local b0 t0 b1 t1
  read -r b0 t0 < <(cpu_counters)
  sleep "$seconds"
  read -r b1 t1 < <(cpu_counters)
  awk -v b="$((b1 - b0))" -v t="$((t1 - t0))" -v n="$cores" 'BEGIN { printf "%.3f", t ? b / t * n : 0 }'
}

one_size() {
  local w=${1%x*} h=${1#*x} scene rec ff
  local out="$RIG_DIR/capture_cpu"
  mkdir -p "$out"
  local winout="Z:${out//\//\\}\\recorder.avi"
  (cd "$bench_dir" && exec wine record_bench.exe --pattern "0,0,$w,$h") </dev/null >/dev/null 2>&1 &
  local pattern=$!
  sleep 3
  for run in $(seq "$runs"); do
    scene=$(busy_cores)

    (cd "$bench_dir" && exec wine record_bench.exe --rect "0,0,$w,$h" --still \
      --seconds "$((seconds + settle + 2))" --out "$winout") </dev/null >"$out/recorder.log" 2>&1 &
    local recorder=$!
    sleep "$settle"
    rec=$(busy_cores)
    wait "$recorder" || echo "record_bench failed: $(tail -1 "$out/recorder.log")" >&2

    ffmpeg -hide_banner -nostdin -loglevel error -stats -f x11grab -framerate 25 \
      -video_size "${w}x${h}" -i "$DISPLAY+0,0" -c:v msmpeg4v3 -q:v 2 -threads 1 \
      -t "$((seconds + settle + 2))" -y "$out/ffmpeg.avi" </dev/null 2>"$out/ffmpeg.log" &
    local peer=$!
    sleep "$settle"
    ff=$(busy_cores)
    wait "$peer" || echo "ffmpeg failed: $(tail -c 300 "$out/ffmpeg.log")" >&2

    local own ffown
    own=$(sed -n 's/^own picture *\([0-9.]*\) %.*/\1/p' "$out/recorder.log")
    local timings
    timings=$(sed -n 's/^SUMMARY.*grab \([0-9.]*\) ms, encode \([0-9.]*\) ms.*/grab \1 ms, encode \2 ms/p' \
      "$out/recorder.log")
    # Of the positions its output time spans (25 a second), those with a
    # picture of their own: it repeats a picture for a missed one ("dup=",
    # printed once it has had to) or leaves the position empty.
    ffown=$(tr '\r' '\n' <"$out/ffmpeg.log" | grep 'frame=' | tail -1 |
      awk '{ f = 0; d = 0; t = 0
             if (match($0, /frame= *[0-9]+/)) { f = substr($0, RSTART, RLENGTH); sub(/frame= */, "", f) }
             if (match($0, /dup=[0-9]+/)) d = substr($0, RSTART + 4, RLENGTH - 4)
             if (match($0, /time=[0-9:.]+/)) { split(substr($0, RSTART + 5, RLENGTH - 5), p, ":"); t = p[1] * 3600 + p[2] * 60 + p[3] }
             n = int(t * 25 + 0.5); if (n < f) n = f
             if (n > 0) printf "%.1f", 100 * (f - d) / n }')
    awk -v w="$w" -v h="$h" -v r="$run" -v s="$scene" -v a="$rec" -v f="$ff" \
        -v own="${own:-?}" -v ffown="${ffown:-?}" -v grab="${timings:-no timings}" \
        'BEGIN {
          rn = a - s; fn = f - s
          printf "%dx%d run %d: scene %.2f cores; recorder net %.2f cores (%s, own picture %s %%); ffmpeg net %.2f cores (own picture %s %%); ratio %s\n",
            w, h, r, s, rn, grab, own, fn, ffown, (fn > 0.01 ? sprintf("%.2f", rn / fn) : "n/a")
        }'
  done
  kill "$pattern" 2>/dev/null || true
  wait "$pattern" 2>/dev/null || true
}

if [ -n "$size" ]; then
  one_size "$size"
  exit 0
fi

one_size 1280x720

# 1920x1080 does not fit the rig's screen: a private Xvfb of that size with a
# rig of its own on it.
fifo="$RIG_DIR/big-displayfd"
mkfifo "$fifo"
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp -noreset 5>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 20 number <"$fifo" || { echo "Xvfb 1920x1080 did not start" >&2; exit 1; }
DISPLAY=":$number" RIG_DIR= "$here/scripts/rig" exec -- "$0" --seconds "$seconds" --runs "$runs" \
  --size 1920x1080
