#!/usr/bin/env bash
# ClipForge.exe --convert under Wine on one call recording made by our own
# encoder and writer, twice in the same run: plain, and with an edit file
# (a trim, a crop fitted back into the recording's size, brightness, contrast,
# saturation and volume). Prints each one's speed as a multiple of real time
# (the MP4's length over the wall time) and the MP4's length and size.
# Inside the rig:
#   scripts/rig exec -- bench/clipforge_edits_bench.sh [SECONDS] [WIDTHxHEIGHT]
set -euo pipefail
seconds=${1:-60}
size=${2:-1280x720}
width=${size%x*}
height=${size#*x}
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
work=$(mktemp -d /tmp/clipforge_edits_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

"$here/build/native/bench/make_call_recording" "$work/call.avi" "$seconds" "$width" "$height"
# A copy of the program with a config.ini of its own: the edited MP4 keeps
# the recording's size, so the crop is scaled back up to it.
cp "$here/build/$(test_win_build)/bin/ClipForge.exe" "$work/"
printf '[Convert]\r\nWidth=%s\r\nHeight=%s\r\nVideoKbps=0\r\nAudioKbps=128\r\n' "$width" "$height" >"$work/config.ini"
printf '[Edits]\r\nTrimStartMs=2000\r\nTrimEndMs=%s\r\nCropLeft=%s\r\nCropTop=%s\r\nCropRight=%s\r\nCropBottom=%s\r\n' \
  "$(( (seconds - 2) * 1000 ))" "$(( width / 8 ))" "$(( height / 8 ))" "$(( width * 7 / 8 ))" "$(( height * 7 / 8 ))" \
  >"$work/call.avi.edits.ini"
printf 'Fit=1\r\nBrightness=20\r\nContrast=120\r\nSaturation=-30\r\nEffect=0\r\nVolume=80\r\n' >>"$work/call.avi.edits.ini"

win() { echo "Z:${1//\//\\}"; }
convert() {  # name output [options]: prints the figures
  local name=$1 out=$2 start end length
  shift 2
  start=$(date +%s.%N)
  wine "$work/ClipForge.exe" --convert "$(win "$work/call.avi")" "$(win "$out")" "$@" >/dev/null 2>&1 ||
    { echo "failed: $name" >&2; cat "$out.log" >&2 || true; return 1; }
  end=$(date +%s.%N)
  length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$out")
  printf '%-34s %6.2f x real time  %6.1f s for %5.1f s of MP4  %s  %6.2f MB\n' "$name" \
    "$(echo "$length / ($end - $start)" | bc -l)" "$(echo "$end - $start" | bc -l)" "$length" \
    "$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=s=x:p=0 "$out")" \
    "$(echo "$(stat -c %s "$out") / 1048576" | bc -l)"
}

echo "recording: $size, $seconds s; load average $(cut -d' ' -f1-3 /proc/loadavg)"
convert "plain (--no-edits)" "$work/plain.mp4" --no-edits
convert "trim + crop + fit + effects + volume" "$work/edited.mp4"
echo "edits: $(tr -d '\r' <"$work/call.avi.edits.ini" | tail -n +2 | tr '\n' ' ')"
