#!/usr/bin/env bash
# ClipForge.exe --convert under Wine on call recordings whose sound ends after
# one minute while the pictures go on for GAP more minutes. The silence that
# fills the gap is made a frame at a time as it is encoded, so the most memory
# the process holds at once (its peak working set, the kernel's peak resident
# size of the Wine process) should not grow with the gap. Prints, per gap, the
# peak working set, the wall time and the MP4's sound and picture lengths.
# Inside the rig:
#   scripts/rig exec -- bench/clipforge_memory_bench.sh [GAP_MINUTES...]   (default 0 10 30 60)
# LUMISKOP_BENCH_SIZE=WIDTHxHEIGHT sets the pictures' size (default 320x240).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
gaps=("$@")
[ ${#gaps[@]} -gt 0 ] || gaps=(0 10 30 60)
size=${LUMISKOP_BENCH_SIZE:-320x240}
exe="$here/build/$(test_win_build)/bin/ClipForge.exe"
[ -x /usr/bin/time ] || die "GNU time is needed (apt-get install time)"
work=$(mktemp -d /tmp/clipforge_memory_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:${1//\//\\}"; }
length() {  # file stream: seconds
  ffprobe -v error -select_streams "$2" -show_entries stream=duration -of csv=p=0 "$1"
}

echo "pictures $size at 25 fps; sound for the first 60 s, then a gap of silence to make"
printf '%-10s %14s %10s %12s %12s\n' "gap" "peak working" "wall" "sound" "pictures"
for gap in "${gaps[@]}"; do
  seconds=$((60 + gap * 60))
  "$here/build/native/bench/make_call_recording" "$work/call.avi" "$seconds" "${size%x*}" "${size#*x}" 60
  start=$(date +%s.%N)
  /usr/bin/time -o "$work/peak" -f %M wine "$exe" --convert "$(winpath "$work/call.avi")" \
    "$(winpath "$work/call.mp4")" >/dev/null 2>&1 || { echo "gap $gap min: ClipForge failed" >&2; exit 1; }
  end=$(date +%s.%N)
  printf '%-10s %11.1f MB %8.1f s %10.1f s %10.1f s\n' "$gap min" "$(echo "$(tail -1 "$work/peak") / 1024" | bc -l)" \
    "$(echo "$end - $start" | bc -l)" "$(length "$work/call.mp4" a)" "$(length "$work/call.mp4" v)"
  rm -f "$work/call.avi" "$work/call.mp4"
done
