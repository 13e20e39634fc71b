#!/usr/bin/env bash
# Runs one playing test (by default a 3 s MP3 track through the engine's player) while the
# PulseAudio null sink's monitor is recorded, then checks that the recording holds at least the
# given hundredths of a second of sound (by default 250), not silence, and at most the optional
# upper figure (a sound that should have been stopped).
# usage: sink_recording.sh TEST_EXE [GTEST_FILTER [CENTISECONDS [MAX_CENTISECONDS]]]
#        (inside scripts/with-wine)
set -euo pipefail
exe=$1
filter=${2:-MP3MusicTest.WaitingPlayReturnsWhenTheTrackHasPlayedOut}
needed=${3:-250}
ceiling=${4:-1000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -n "${PULSE_SERVER:-}" ] || { echo "no PulseAudio server: run under scripts/with-wine" >&2; exit 1; }

parec -d null.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=2 --raw >"$work/sink.raw" &
recorder=$!
# The recorder is running once its output has begun to grow (it writes silence too).
for _ in $(seq 200); do [ -s "$work/sink.raw" ] && break; sleep 0.05; done
"${SAVER_WINE:-wine}" "$exe" --gtest_filter="$filter" >"$work/play.log" 2>&1 || {
  cat "$work/play.log"; kill -INT $recorder; exit 1; }
# SIGINT lets parec write out what it holds; other signals lose the end.
kill -INT $recorder
wait $recorder || true

python3 - "$work/sink.raw" "$needed" "$ceiling" <<'PY'
import array, sys
samples = array.array('h', open(sys.argv[1], 'rb').read())
window = 441 * 2  # 10 ms of stereo frames
loud = sum(1 for i in range(0, len(samples) - window, window)
           if max(abs(s) for s in samples[i:i + window]) > 1000)
print(f"recorded {len(samples) / 88200:.2f} s, of which {loud / 100:.2f} s carry sound")
sys.exit(0 if int(sys.argv[2]) <= loud <= int(sys.argv[3]) else 1)
PY
