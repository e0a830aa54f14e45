#!/usr/bin/env bash
# Lip sync of the preview player: a recording whose picture turns white for
# one frame at the moment a short click sounds, once a second, is played by
# preview_probe.exe while one ffmpeg captures the screen (100 pictures a
# second) and the speakers' monitor. Prints the offset of the flashes against
# their clicks (positive: the picture comes late), mean and spread, for a
# reference player and for the preview, the preview's net of the reference,
# and the tick rate against the file's 25 pictures a second; then the
# preview's CPU share of one core while it plays a 1280 x 720 recording.
# Inside the rig, after scripts/build (the Windows build this machine runs):
#   scripts/rig exec -- bench/preview_sync.sh [--seconds N]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/lib/common.sh"
seconds=15
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    *) echo "usage: $0 [--seconds N]" >&2; exit 2 ;;
  esac
done
: "${RIG_DIR:?run inside the rig: scripts/rig exec -- $0}"
probe="$here/build/$(test_win_build)/probes/preview_probe.exe"
[ -f "$probe" ] || { echo "build first: $probe is missing" >&2; exit 2; }
work=$(mktemp -d)
capture_pid=
cleanup() {
  [ -n "$capture_pid" ] && kill "$capture_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A recording as the recorder makes them: MP43 at 25 pictures a second and
# 48 kHz stereo PCM. The flash is the picture at each whole second; the click
# is 10 ms of 1 kHz starting at the same second.
make_recording() {
  local size=$1 out=$2
  ffmpeg -v error -nostdin -y \
    -f lavfi -i "color=c=black:s=$size:r=25:d=$seconds" \
    -f lavfi -i "aevalsrc=0.8*sin(2*PI*1000*t)*lt(mod(t\,1)\,0.01)|0.8*sin(2*PI*1000*t)*lt(mod(t\,1)\,0.01):s=48000:d=$seconds" \
    -vf "drawbox=x=0:y=0:w=iw:h=ih:color=white:t=fill:enable='lt(mod(t,1),0.02)'" \
    -c:v msmpeg4v3 -q:v 2 -c:a pcm_s16le -f avi "$out"
}

# Plays the sync recording with the command "$@" (run in $work) and prints
# the player's own line, when it prints one.
play() {
  local name=$1 said; shift
  said=$(cd "$work" && "$@" 2>/dev/null | tr -d '\r' | grep '^ticks' || true)
  [ -z "$said" ] || echo "$name: $said (file: 25 pictures a second)"
}

# The offsets of the flashes between times $2 and $3 against their clicks.
offsets() {
  awk -v name="$1" -v from="$2" -v to="$3" '
    function abs(x) { return x < 0 ? -x : x }
    NR == FNR { click[nc++] = $1; next }
    $1 < from || $1 >= to { next }
    { best = 1e9  # the nearest click within half a second
      for (k = 0; k < nc; k++) if (abs($1 - click[k]) < abs(best)) best = $1 - click[k]
      if (abs(best) < 0.5) off[n++] = best * 1000 }
    END {
      if (n == 0) { printf "%s: no flash matched a click\n", name; exit 1 }
      for (i = 0; i < n; i++) { sum += off[i]; if (i == 0 || off[i] < lo) lo = off[i]; if (i == 0 || off[i] > hi) hi = off[i] }
      mean = sum / n
      for (i = 0; i < n; i++) sq += (off[i] - mean) ^ 2
      printf "%s: picture %+.1f ms against its sound over %d flashes (min %+.1f, max %+.1f, sd %.1f)\n",
        name, mean, n, lo, hi, sqrt(sq / n)
      print mean > "/dev/stderr"
    }' "$work/clicks.txt" "$work/flashes.txt" 2>"$work/$1.mean"
}

make_recording 320x240 "$work/sync.avi"
# One capture of the screen and the speakers' monitor for both players: the
# capture's two clocks are not exactly one, and their offset changes from one
# capture to the next, but within one capture it holds. Input durations, not
# an output one: with the capture's own clock kept (-copyts) an output
# duration would count from the epoch.
span=$((2 * seconds + 14))
ffmpeg -v error -nostdin -y -copyts \
  -thread_queue_size 64 -t "$span" \
  -f x11grab -framerate 100 -video_size 400x340 -i "$DISPLAY+90,90" \
  -thread_queue_size 64 -t "$span" -f pulse -fragment_size 1920 -i speakers.monitor \
  -map 0:v -vf scale=40:34,format=yuv420p -c:v rawvideo -map 1:a -c:a pcm_s16le \
  -f nut "$work/capture.nut" &
capture_pid=$!
sleep 2
# The reference player shows each picture the moment it writes its sound into
# a 20 ms buffer: what the capture measures for it is the capture's own offset.
play reference ffmpeg -v error -nostdin -re -i sync.avi -map 0:v -pix_fmt yuv420p \
  -f sdl -window_x 100 -window_y 100 reference -map 0:a -f pulse -buffer_duration 20 \
  -device speakers reference
sleep 1
between=$(date +%s.%N)
# The probe's window is at (100, 100); its frame and caption fit in 400 x 340.
play preview wine "$probe" sync.avi
wait "$capture_pid" || true
capture_pid=

# Picture brightness per captured picture, with its time on the capture's clock.
ffprobe -v error -f lavfi -i "movie=$work/capture.nut,signalstats" \
  -show_entries frame=pts_time:frame_tags=lavfi.signalstats.YAVG -of csv=p=0 >"$work/video.csv"
audio_start=$(ffprobe -v error -select_streams a -show_entries stream=start_time -of csv=p=0 \
  "$work/capture.nut")
ffmpeg -v error -nostdin -y -i "$work/capture.nut" -map 0:a -ac 1 -ar 48000 -f s16le "$work/audio.raw"
# Click onsets: a sample above the threshold after 100 ms of quiet.
od -An -v -td2 -w2 "$work/audio.raw" | awk -v start="$audio_start" '
  { v = $1 < 0 ? -$1 : $1; i = NR - 1
    if (v > 6000) { if (i - last > 4800 || n == 0) printf "%.4f\n", start + i / 48000.0; n++; last = i } }
' >"$work/clicks.txt"
# Flashes: a picture much brighter than the one before it.
awk -F, '{ if (NR > 1 && $2 - prev > 60) printf "%.4f\n", $1; prev = $2 }' "$work/video.csv" \
  >"$work/flashes.txt"
offsets reference 0 "$between"
offsets preview "$between" 1e12
awk -v r="$(cat "$work/reference.mean")" -v p="$(cat "$work/preview.mean")" \
  'BEGIN { printf "lip sync of the preview, net of the capture: picture %+.1f ms against its sound\n", p - r }'

make_recording 1280x720 "$work/large.avi"
cpu_line=$(cd "$work" && wine "$probe" --cpu large.avi 2>/dev/null | tr -d '\r' | grep '^cpu' || true)
[ -n "$cpu_line" ] || { echo "the probe did not play the 1280 x 720 recording" >&2; exit 1; }
awk -v s="${cpu_line#cpu }" 'BEGIN { printf "preview of 1280 x 720: %.1f %% of one core\n", s * 100 }'
