#!/usr/bin/env bash
# ClipForge.exe --convert under Wine against the native ffmpeg with the same
# encoder settings, on a call recording made by our own encoder and writer.
# Prints the speed of both as a multiple of real time, their ratio, the MP4's
# size against the AVI's and its PSNR against the AVI's pictures. Inside the rig:
#   scripts/rig exec -- bench/clipforge_bench.sh [SECONDS] [WIDTHxHEIGHT] [PRESET CRF]
# With PRESET and CRF only the native ffmpeg runs (for choosing the settings).
set -euo pipefail
seconds=${1:-60}
size=${2:-1280x720}
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
settings=$(sed -n 's/.*kX264Preset = "\(.*\)";/\1/p; s/.*kX264Crf = \([0-9]*\);/\1/p' \
  "$here/tools/clipforge/convert/EncoderSettings.h" | tr '\n' ' ')
read -r preset crf <<<"${3:-} ${4:-}"
[ -n "$preset" ] || read -r preset crf <<<"$settings"
gop=$(sed -n 's/.*kKeyFrameSeconds = \([0-9]*\);.*/\1/p' "$here/tools/clipforge/convert/EncoderSettings.h")
work=$(mktemp -d /tmp/clipforge_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

"$here/build/native/bench/make_call_recording" "$work/call.avi" "$seconds" "${size%x*}" "${size#*x}"
avi_bytes=$(stat -c %s "$work/call.avi")

elapsed() {  # runs "$@", prints the wall seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
psnr() {
  ffmpeg -nostdin -hide_banner -i "$1" -i "$work/call.avi" -lavfi "[0:v][1:v]psnr" -f null - 2>&1 |
    sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p' | tail -1
}
figures() {  # name file seconds
  local bytes
  bytes=$(stat -c %s "$2")
  printf '%-22s %6.2f x real time  %6.1f s  %8.2f MB  %5.1f %% of the AVI  PSNR %s dB\n' \
    "$1" "$(echo "$seconds / $3" | bc -l)" "$3" "$(echo "$bytes / 1048576" | bc -l)" \
    "$(echo "100 * $bytes / $avi_bytes" | bc -l)" "$(psnr "$2")"
}

echo "recording: $size, $seconds s, $(echo "$avi_bytes / 1048576" | bc -l | xargs printf '%.1f') MB AVI;" \
     "x264 preset $preset, CRF $crf, key frame every $gop s; AAC 128 kb/s"
native=$(elapsed ffmpeg -nostdin -y -i "$work/call.avi" -c:v libx264 -preset "$preset" -crf "$crf" \
  -g $((gop * 25)) -pix_fmt yuv420p -c:a aac -b:a 128k -ar 48000 -ac 2 -movflags +faststart \
  "$work/native.mp4")
figures "native ffmpeg" "$work/native.mp4" "$native"
[ -z "${3:-}" ] || exit 0

# The Windows build that runs here (the 64-bit twin where 32-bit code cannot).
exe="$here/build/$(test_win_build)/bin/ClipForge.exe"
ours=$(elapsed wine "$exe" --convert "Z:${work//\//\\}\\call.avi" "Z:${work//\//\\}\\ours.mp4")
figures "ClipForge.exe (Wine)" "$work/ours.mp4" "$ours"
printf 'ClipForge / native ffmpeg speed: %.2f\n' "$(echo "$native / $ours" | bc -l)"
