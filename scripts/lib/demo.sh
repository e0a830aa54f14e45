#!/usr/bin/env bash
# The demonstration run inside the rig: the recorder and a stand-in messenger
# with a call going on; the call is recorded for five seconds, stopped, and the
# recording is described.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
bin="$root/${LUMISKOP_RUN_BUILD:-build/win32}/bin"
fixtures="$root/${LUMISKOP_RUN_BUILD:-build/win32}/tests/fixtures"
title="Quorvanta Lumiskop v3.1.08"
output_win='C:\QuorvantaDemo'
output="$WINEPREFIX/drive_c/QuorvantaDemo"

say() { printf '[demo] %s\n' "$*"; }
recordings() { find "$output" -maxdepth 1 -name '*.avi' | wc -l; }

mkdir -p "$output"
printf '[General]\r\nFilePath=%s\r\n' "$output_win" > "$bin/config.ini"
before=$(recordings)

say "starting Lumiskop.exe"
(cd "$bin" && wine Lumiskop.exe >/dev/null 2>&1) &
main=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
sleep 2
say "starting the messenger stand-in with a call (far end: 1 kHz; microphone: 440 Hz)"
wine "$fixtures/msnmsgr.exe" '--window=class=IMWindowClass;title=Call with Alice - <alice@example.com>;at=600,200,480,360' \
  --tone=1000 '--device=Quorvanta VAudio' >/dev/null 2>&1 &
(sox -q -n -r 48000 -c 2 -b 16 -t wav - synth 20 sine 440 vol 0.5 | paplay --device=micfeed) >/dev/null 2>&1 &
call=$(xdotool search --sync --onlyvisible --name 'Call with Alice' | head -1)
sleep 1

say "pressing Record call"
xdotool mousemove 37 55 click 1
sleep 5
say "pressing F9"
xdotool windowfocus --sync "$call" key F9
for _ in $(seq 50); do
  [ "$(recordings)" -gt "$before" ] && break
  sleep 0.2
done
sleep 1
file=$(ls -t "$output"/*.avi | head -1)
[ -n "$file" ] || { say "no recording was made"; exit 1; }
say "recording: $output_win\\$(basename "$file")"
say "on this machine: $file"
ffprobe -v error -show_entries format=duration,size:stream=index,codec_name,codec_tag_string,width,height,r_frame_rate,sample_rate,channels \
  -of default=noprint_wrappers=1 "$file" | sed 's/^/    /'

say "closing Lumiskop"
xdotool mousemove 490 14 click 1
for _ in $(seq 50); do
  xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || break
  sleep 0.2
done
rm -f "$bin/config.ini"
