#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Sound latency: the delay from SoundPlay to the sound leaving the mixer.
# Builds bench_sound_latency in $BUILD (default: build) and runs it.
# SDL's disk driver writing to /dev/null keeps real time without a sound card;
# set SDL_AUDIODRIVER (e.g. pulseaudio) to measure on a real device.
#   bench/sound_latency.sh [plays]
set -e
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
[ -f "$BUILD/build.ninja" ] || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target bench_sound_latency zumirak_sounds >/dev/null
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-disk}"
export SDL_DISKAUDIOFILE="${SDL_DISKAUDIOFILE:-/dev/null}"
echo "driver          $SDL_AUDIODRIVER"
"$BUILD/bin/bench_sound_latency" "${1:-200}"
