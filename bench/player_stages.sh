#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The player's stages by the thousand, in the real game under a private X
# server: FILES straight-line stage files (2 to 15 balls on one row or
# column, each figure once) lie new in the stages folder when the game
# starts. Measures
#   - the time until every figure is proven (the kept proofs hold a line
#     for each), and the processor time the window's thread and the whole
#     program spent until then;
#   - how often the window's thread was found busy (sampled every 20 ms) and
#     its longest busy stretch: about the longest a key could wait;
#   - resident memory then;
#   - a second start, every proof kept: the time until the main window shows
#     (the splash alone takes 2.5 s), and the window's thread's time.
#
#   bench/player_stages.sh [build-dir] [files] [give-up-seconds]   (defaults: build, 2000, 180)
#
# ZUMIRAK_BENCH_DISPLAY=:N uses that display number for the X server
# instead of the first free one. Needs Xvfb and xdotool (tools/setup.sh).
set -euo pipefail

build=${1:-build}
files=${2:-2000}
give_up=${3:-180}
program=$(realpath "$build/bin/zumirak")
work=$(mktemp -d)
finish() {
  if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

if [ -n "${ZUMIRAK_BENCH_DISPLAY:-}" ]; then
  Xvfb "$ZUMIRAK_BENCH_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
  xvfb_pid=$!
  export DISPLAY=$ZUMIRAK_BENCH_DISPLAY
else
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset > "$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$work/display")"
fi
for _ in $(seq 100); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.05; done
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy LANG=C.UTF-8 LANGUAGE= LC_ALL=
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Brenhavel" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
stages="$XDG_DATA_HOME/Brenhavel/Zumirak/stages"
proofs="$XDG_DATA_HOME/Brenhavel/Zumirak/proofs"
mkdir -p "$stages"

# Records of a player who has set up: the splash comes first.
{
  printf '[General]\nF_Name=Bench\nLoadDate=2000/01/01\nU_Name=Bench\n'
  for n in $(seq 0 49); do printf '\n[Round%d]\nChargeNum=1\nClearTime=0\n' "$n"; done
} > "$XDG_CONFIG_HOME/Brenhavel/Zumirak.ini"

# Distinct figures, each a set of 2 to 15 cells of one row or one column
# (clearable from either end): the k-th file's cells are the bits of a number
# drawn for it, tried again until the figure is new.
awk -v n="$files" -v dir="$stages" 'BEGIN {
  srand(29);
  made = 0;
  while (made < n) {
    line = int(rand() * 15); across = rand() < 0.5; want = 2 + int(rand() * 14);
    split("", used); count = 0;
    while (count < want) { c = int(rand() * 15); if (!(c in used)) { used[c] = 1; count++ } }
    key = across ":" line ":";
    layout = "";
    for (c = 0; c < 15; c++) if (c in used) {
      key = key c ",";
      row = across ? line : c; col = across ? c : line;
      layout = layout sprintf("%04d,%04d,", col * 600, row * 600);
    }
    if (key in seen) continue;
    seen[key] = 1; made++;
    file = sprintf("%s/%04d.zumirak", dir, made);
    printf "[Stage]\nTitle=線%d\nLayout=%s\n", made, layout > file;
    close(file);
  }
}'

now_ms() { date +%s%3N; }
ticks=$(getconf CLK_TCK)
# Processor time in ms of the window's thread (the main one) and of the whole program.
thread_ms() { awk -v t="$ticks" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / t) }' "/proc/$pid/task/$pid/stat"; }
program_ms() { awk -v t="$ticks" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / t) }' "/proc/$pid/stat"; }
kib() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$pid/status"; }
proven() { if [ -f "$proofs" ]; then echo $(( $(wc -l < "$proofs") - 1 )); else echo 0; fi; }
main_window_shown() {
  local w width
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    # A window gone between the search and the question (the splash) has no width.
    width=$(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/ { split($2, s, "x"); print s[1] }')
    [ "${width:-0}" -gt 460 ] && return 0
  done
  return 1
}

echo "program: $program; $files stage files"

# First start, nothing proven yet.
start=$(now_ms)
"$program" > /dev/null 2> "$work/stderr1" &
pid=$!
exec 9<> <(:)  # a pipe nobody writes to: read -t on it sleeps without a new process
samples=0 busy=0 stretch=0 longest=0 done_ms=
while :; do
  read -r -t 0.02 -u 9 _ || true
  read -r stat < "/proc/$pid/task/$pid/stat" || break
  state=${stat##*) }; state=${state%% *}
  samples=$((samples + 1))
  if [ "$state" = R ]; then busy=$((busy + 1)); stretch=$((stretch + 1)); [ $stretch -gt $longest ] && longest=$stretch
  else stretch=0; fi
  if [ $((samples % 25)) -eq 0 ]; then
    elapsed=$(( $(now_ms) - start ))
    if [ "$(proven)" -ge "$files" ]; then done_ms=$elapsed; break; fi
    [ "$elapsed" -ge $((give_up * 1000)) ] && break
  fi
done
elapsed=$(( $(now_ms) - start ))
if [ -n "$done_ms" ]; then
  echo "all $files proven after $((done_ms / 1000)).$(( (done_ms % 1000) / 100 )) s"
else
  echo "after $((elapsed / 1000)) s only $(proven) of $files proven (given up)"
fi
echo "  window's thread: $(thread_ms) ms of processor time; busy in $busy of $samples samples, longest busy stretch $((longest * 20)) ms"
echo "  whole program: $(program_ms) ms of processor time; resident memory $(kib VmRSS) KiB (peak $(kib VmHWM) KiB)"
kill "$pid"; wait "$pid" 2>/dev/null || true

# Second start: every proof kept.
start=$(now_ms)
"$program" > /dev/null 2> "$work/stderr2" &
pid=$!
until main_window_shown; do
  kill -0 "$pid" 2>/dev/null || { echo "the program ended early:" >&2; cat "$work/stderr2" >&2; exit 1; }
  [ $(( $(now_ms) - start )) -ge $((give_up * 1000)) ] && break
  sleep 0.02
done
shown=$(( $(now_ms) - start ))
echo "second start, every proof kept: main window after $shown ms; window's thread $(thread_ms) ms of processor time"
sleep 2
echo "  2 s later: window's thread $(thread_ms) ms, whole program $(program_ms) ms; resident memory $(kib VmRSS) KiB; proven $(proven) of $files"
