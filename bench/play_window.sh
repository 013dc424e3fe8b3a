#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The play window's costs (opening stage 24, one take, closing, memory) in
# fresh processes, wake-ups at rest, peak memory from /usr/bin/time -v, and
# pictures of stages 0, 15 and 24 in play drawn under Xvfb.
# Usage: bench/play_window.sh <build dir> [picture folder]
set -e
bin="${1:-build}/bin/bench_play_window"
shots="${2:-/tmp/zumirak-shots}"
export SDL_AUDIODRIVER=dummy
for run in 1 2 3; do
  QT_QPA_PLATFORM=offscreen "$bin" 20
done
QT_QPA_PLATFORM=offscreen "$bin" --rest
QT_QPA_PLATFORM=offscreen /usr/bin/time -v "$bin" 1 2>&1 | grep -E "Maximum resident|Elapsed"
mkdir -p "$shots"
xvfb-run -a -s '-screen 0 1280x1024x24' env QT_QPA_PLATFORM=xcb "$bin" --shots "$shots"
