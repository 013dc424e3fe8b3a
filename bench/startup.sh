#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the game: time from starting the program to its first window
# being on screen, and its resident memory, under a private X server.
#
#   bench/startup.sh [build-dir] [runs]      (defaults: build, 9)
#
# Two cases: a later run (records present: the splash comes first) and a first
# run (no records: the new-user window comes first). Prints the median and
# the range of the times, and the memory once the main window is up.
# Needs Xvfb and xdotool (tools/setup.sh installs them).
set -euo pipefail

build=${1:-build}
runs=${2:-9}
program=$(realpath "$build/bin/zumirak")
work=$(mktemp -d)
finish() {
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

# A display of our own; Xvfb writes its number to the given descriptor.
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset > "$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 100); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.05; done
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Records of a player who has set up, written as the game writes them.
seed_records() {
  mkdir -p "$1/Brenhavel"
  {
    printf '[General]\nF_Name=Bench\nLoadDate=2000/01/01\nU_Name=Bench\n'
    for n in $(seq 0 49); do printf '\n[Round%d]\nChargeNum=1\nClearTime=0\n' "$n"; done
  } > "$1/Brenhavel/Zumirak.ini"
}

now_ms() { date +%s%3N; }

# Starts the program and waits for its first visible window; sets $elapsed to
# the milliseconds that took and leaves the program running as $pid.
start_and_time() {
  local start
  start=$(now_ms)
  "$program" > /dev/null 2> "$work/stderr" &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" > /dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended early:" >&2; cat "$work/stderr" >&2; exit 1; }
  done
  elapsed=$(( $(now_ms) - start ))
}

stop() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }

median_and_range() {
  sort -n | awk '{ v[NR] = $1 } END { printf "median %d ms (min %d, max %d, %d runs)\n", v[int((NR + 1) / 2)], v[1], v[NR], NR }'
}

kib() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$pid/status"; }

echo "program: $program"

# Starts and stops the program $runs times with the records folder as it is;
# prints the label and the times.
time_runs() {
  local times=()
  for _ in $(seq "$runs"); do
    start_and_time
    times+=("$elapsed")
    stop
  done
  printf '%s' "$1"; printf '%s\n' "${times[@]}" | median_and_range
}

# Later runs: splash first.
export XDG_CONFIG_HOME="$work/config-later"
seed_records "$XDG_CONFIG_HOME"
time_runs 'later run, splash shown:         '

# First runs: the new-user window first; nothing is written until OK.
export XDG_CONFIG_HOME="$work/config-first"
mkdir -p "$XDG_CONFIG_HOME"
time_runs 'first run, new-user window shown: '

# Memory: at the splash, and once the main window has opened 2.5 s later.
export XDG_CONFIG_HOME="$work/config-later"
start_and_time
splash_rss=$(kib VmRSS)
sleep 3.5
echo "resident memory: splash ${splash_rss} KiB; main window $(kib VmRSS) KiB (peak $(kib VmHWM) KiB)"
stop
