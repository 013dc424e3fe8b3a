#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole cost of the game next to the least a Qt Widgets program costs:
# start-up, memory in the states a player goes through, wake-ups at rest,
# the cost of a click as the X server sees it, and the play window's own
# timings. One interleaved run: each round starts the reference window, the
# game on a first run, the game with records (played through stage 24) and
# the in-process play window benchmark, each with a fresh home folder.
#
#   bench/table.sh [build-dir] [rounds]      (defaults: build, 11)
#
# Builds the reference window (bench/reference_window.cpp) and the X client
# (bench/xprobe.cpp) itself; builds the game in build-dir first when that is a
# CMake build of this tree. Needs Xvfb, g++, Qt 6 and the X Damage and XTEST
# development files (tools/setup.sh installs them).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-build}")
rounds=${2:-11}
work=$(mktemp -d)
finish() {
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

if [ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ]; then
  cmake --build "$build" --target zumirak bench_play_window > "$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
fi
program="$build/bin/zumirak"
inprocess="$build/bin/bench_play_window"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

# The yardstick and the probe, each built the same way every time.
g++ -O2 -std=c++17 -fPIC "$here/reference_window.cpp" -o "$work/reference_window" \
  $(pkg-config --cflags --libs Qt6Widgets)
g++ -O2 -std=c++20 "$here/xprobe.cpp" -o "$work/xprobe" -lXdamage -lXtst -lX11

# An order that takes every ball of stage 24 ("c,r": column, row), found with
# the solver of tests/play/test_stages_clear.cpp.
order="2,0 2,1 1,1 1,2 2,2 2,3 2,4 1,4 1,5 0,5 0,6 1,6 2,6 2,5 3,5 4,5 4,6 3,6 3,7 4,7 \
4,8 4,9 3,9 2,9 1,9 0,9 0,8 0,7 1,7 2,7 2,8 1,8 1,10 2,10 3,10 3,8 3,4 3,2 3,1"

Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset > "$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

# A fresh home, configuration and runtime folder for one start.
fresh_home() {
  rm -rf "$work/home"
  mkdir -p "$work/home/.config" "$work/home/runtime"
  chmod 700 "$work/home/runtime"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home/runtime"
}

# Records of a player who has set up, written as the game writes them.
seed_records() {
  mkdir -p "$XDG_CONFIG_HOME/Brenhavel"
  {
    printf '[General]\nF_Name=Bench\nLoadDate=2000/01/01\nU_Name=Bench\n'
    for n in $(seq 0 49); do printf '\n[Round%d]\nChargeNum=1\nClearTime=0\n' "$n"; done
  } > "$XDG_CONFIG_HOME/Brenhavel/Zumirak.ini"
}

# Runs one measurement; its "key value" lines go to the samples with `prefix`.
sample() {
  local prefix=$1; shift
  "$@" 2>> "$work/stderr.log" | awk -v p="$prefix" 'NF == 2 { print p "." $1, $2 }' >> "$work/samples"
}

# The play window benchmark's figures, read from its sentences.
inprocess_sample() {
  "$inprocess" 3 2>> "$work/stderr.log" | awk '
    function median() { match($0, /median [0-9.]+/); return substr($0, RSTART + 7, RLENGTH - 7) }
    /^open stage 24/ { print "inproc.open_ms", median() }
    /^first take of a visit/ { print "inproc.first_take_ms", median() }
    /^close the play window/ { print "inproc.close_ms", median() }
    /^one later take/ { print "inproc.take_ms", median() }' >> "$work/samples"
}

echo "program:  $program"
echo "rounds:   $rounds, interleaved; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
: > "$work/samples"
for round in $(seq "$rounds"); do
  fresh_home; sample ref "$work/xprobe" start -- "$work/reference_window"
  fresh_home; sample refbutton "$work/xprobe" button -- "$work/reference_window" --button
  fresh_home; sample firstrun "$work/xprobe" start -- "$program"
  fresh_home; seed_records; sample game "$work/xprobe" game "$order" -- "$program"
  fresh_home; inprocess_sample
  printf '.' >&2
done
echo >&2
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

awk '
  { v[$1] = v[$1] " " $2 }
  function stats(key,   n, a, i, j, t) {
    n = split(substr(v[key], 2), a, " ")
    if (n == 0) { med = "-"; lo = "-"; hi = "-"; return 0 }
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    med = a[int((n + 1) / 2)]; lo = a[1]; hi = a[n]; return n
  }
  function fmt(x, unit) { return x == "-" ? "-" : (unit == "MiB" ? sprintf("%.1f", x / 1024) : sprintf(unit == "/s" ? "%.1f" : "%.2f", x)) }
  function row(what, key, refkey, unit, goal,   n, m, l, h, ratio) {
    n = stats(key); m = med; l = lo; h = hi
    ratio = "-"
    if (refkey != "" && stats(refkey) > 0 && med > 0 && m != "-") ratio = sprintf("%.2f", m / med)
    printf "| %-58s | %9s %-3s | %15s | %9s | %6s | %-18s |\n", what, fmt(m, unit), unit,
      fmt(l, unit) " - " fmt(h, unit), refkey == "" ? "" : fmt(med, unit), ratio, goal
  }
  END {
    printf "| %-58s | %13s | %15s | %9s | %6s | %-18s |\n", "what", "median", "min - max", "reference", "ratio", "goal"
    printf "|%s|%s|%s|%s|%s|%s|\n", "------------------------------------------------------------", "---------------", "-----------------", "-----------", "--------", "--------------------"
    row("time to first window, records present (splash)", "game.first_window_ms", "ref.first_window_ms", "ms", "ratio <= 1.2")
    row("time to first window, first run (new-user window)", "firstrun.first_window_ms", "ref.first_window_ms", "ms", "ratio <= 1.2")
    row("resident memory at the main window", "game.rss_main_kib", "ref.rss_kib", "MiB", "ratio <= 1.15")
    row("resident memory, stage 24 open, before the first click", "game.rss_stage_kib", "ref.rss_kib", "MiB", "ratio <= 1.25")
    row("resident memory, stage 24 after 11 takes, music playing", "game.rss_takes_kib", "ref.rss_kib", "MiB", "ratio <= 1.35")
    row("leafing through all 30 stages: memory kept", "game.leaf_kept_kib", "", "MiB", "<= 0.5 MiB")
    row("wake-ups/s, stage 24 open before the first click", "game.wakeups_before_click_per_s", "ref.wakeups_per_s", "/s", "0")
    row("wake-ups/s, stage 24 cleared (message shown)", "game.wakeups_after_clear_per_s", "ref.wakeups_per_s", "/s", "0")
    row("wake-ups/s, mid-stage, sound switched off (clock runs)", "game.wakeups_sound_off_per_s", "ref.wakeups_per_s", "/s", "1 (the clock)")
    row("one later take, release to last repainted pixel (X)", "game.take_ms", "refbutton.take_ms", "ms", "<= ref + 0.5 ms")
    row("  damaged rectangles per later take", "game.take_rectangles", "refbutton.take_rectangles", "", "")
    row("first take of a visit (in process)", "inproc.first_take_ms", "", "ms", "<= 2 ms")
    row("closing a play window (in process)", "inproc.close_ms", "", "ms", "<= 5 ms")
    row("opening stage 24, click to painted (in process)", "inproc.open_ms", "", "ms", "<= 10 ms")
    row("opening stage 24, release on Start to last pixel (X)", "game.open_stage_x_ms", "", "ms", "")
    row("one later take in process, click to repainted", "inproc.take_ms", "", "ms", "keep ~0.4 ms")
    row("threads at the main window", "game.threads_main", "ref.threads", "", "")
    row("threads with stage 24 open", "game.threads_stage", "", "", "")
  }' "$work/samples"

if [ -s "$work/stderr.log" ] && grep -q 'xprobe:' "$work/stderr.log"; then
  echo; echo "probe messages:"; grep 'xprobe:' "$work/stderr.log" | sort | uniq -c
fi
[ -n "${TABLE_KEEP:-}" ] && cp "$work/samples" "$work/stderr.log" "$TABLE_KEEP"/ || true
