#!/usr/bin/env bash
# Runs callaudio_bench.exe for N seconds (default 60) with a tone playing into
# the virtual device and another into the microphone. Inside the rig:
#   scripts/rig exec -- bench/callaudio_bench.sh 600
set -euo pipefail
seconds=${1:-60}
here="$(cd "$(dirname "$0")/.." && pwd)"
tone() {
  sox -q -n -r 48000 -c 2 -b 16 -t wav - synth "$((seconds + 10))" sine "$2" vol 0.5 2>/dev/null |
    paplay --device="$1" &
}
tone qvaudio 1000
tone micfeed 440
cd "$here/build/win32/bench"
wine callaudio_bench.exe --seconds "$seconds" --out 'Z:\tmp\callaudio_bench.avi'
kill %1 %2 2>/dev/null || true
