#!/usr/bin/env bash
# The delay that the audio engine (sndrelay.exe) adds between the virtual
# device and the speakers. Run inside the rig:
#
#   scripts/rig exec -- bench/relay_delay.sh
#
# A train of short clicks is played into a PulseAudio sink that feeds both the
# speakers directly and the virtual device. On the speakers' monitor each
# click is then heard twice: once directly, once after the engine relayed it.
# The gap between the two is the relay's added delay.
set -euo pipefail
cd "$(dirname "$0")/.."
engine=build/win32/bin/sndrelay.exe
[ -f "$engine" ] || { echo "build first: $engine is missing" >&2; exit 1; }
work=$(mktemp -d)
engine_pid=
module=
cleanup() {
  [ -n "$engine_pid" ] && kill "$engine_pid" 2>/dev/null || true
  [ -n "$module" ] && pactl unload-module "$module" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

clicks=${CLICKS:-20}
spacing=${SPACING_S:-0.5}
rate=48000

wine "$engine" </dev/null >/dev/null 2>&1 &
engine_pid=$!
sleep 3  # the engine opens its devices

module=$(pactl load-module module-combine-sink sink_name=relayprobe slaves=speakers,qvaudio \
  "sink_properties='device.description=\"Relay Probe\"'")
sox -n -r $rate -c 2 -b 16 "$work/click.wav" synth 0.002 sine 3000 vol 0.8 pad 0 "$spacing" \
  repeat $((clicks - 1))

seconds=$(awk -v n="$clicks" -v s="$spacing" 'BEGIN { printf "%d", n * (s + 0.002) + 2 }')
parec -d speakers.monitor --latency-msec=10 --raw --format=s16le --rate=$rate --channels=2 \
  2>/dev/null | head -c $((seconds * rate * 4)) >"$work/speakers.raw" &
rec_pid=$!
sleep 0.5
paplay -d relayprobe "$work/click.wav"
wait $rec_pid || true

# Onsets on the left channel: a sample above the threshold after 3 ms of quiet.
od -An -v -td2 -w4 "$work/speakers.raw" | awk -v rate=$rate -v spacing="$spacing" '
  function abs(x) { return x < 0 ? -x : x }
  { i = NR - 1; v = abs($1)
    if (v > 4000) { if (i - last > rate * 0.003) onset[n++] = i; last = i } }
  END {
    pairs = 0
    for (k = 0; k + 1 < n; k++) {
      gap = (onset[k + 1] - onset[k]) * 1000.0 / rate
      if (gap < spacing * 1000 * 0.8) { d[pairs++] = gap; k++ }
    }
    if (pairs == 0) { print "no click pairs found (" n " onsets)"; exit 1 }
    for (a = 0; a < pairs; a++) for (b = a + 1; b < pairs; b++) if (d[b] < d[a]) { t = d[a]; d[a] = d[b]; d[b] = t }
    sum = 0; for (a = 0; a < pairs; a++) sum += d[a]
    printf "relay delay over %d clicks: median %.1f ms, min %.1f ms, max %.1f ms, mean %.1f ms\n",
      pairs, d[int(pairs / 2)], d[0], d[pairs - 1], sum / pairs
  }'
