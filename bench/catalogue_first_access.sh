#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# First access to the stage catalogue, at the usual and at a doubled pixel
# ratio, each in fresh processes; peak memory from /usr/bin/time -v.
# Usage: bench/catalogue_first_access.sh <build dir>
set -e
bin="${1:-build}/bin/bench_catalogue"
for scale in 1 2; do
  echo "== QT_SCALE_FACTOR=$scale"
  for run in 1 2 3; do
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale "$bin" 30 | grep -E "first access|leafing|ball|drawn"
  done
  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale /usr/bin/time -v "$bin" 1 2>&1 | grep "Maximum resident"
done
