#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target of a build made with -DZUMIRAK_FUZZ=ON over its
# corpus, one after the other, each for SECONDS (default 90). The corpus,
# BUILD/corpus/<target without fuzz_>, keeps what reached new code, so the
# next run starts from there. Stops at the first fault, which libFuzzer
# leaves as crash-* in the current folder.
# Usage: tools/fuzz.sh [BUILD] [SECONDS]
set -euo pipefail

build=${1:-build-asan}
seconds=${2:-90}
targets=("$build"/bin/fuzz_*)
[ -x "${targets[0]}" ] || { echo "no fuzz targets in $build/bin (configure with -DZUMIRAK_FUZZ=ON)" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for target in "${targets[@]}"; do
  name=$(basename "$target")
  echo "== $name, $seconds s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$build/corpus/${name#fuzz_}" >"$log" 2>&1; then
    cat "$log"
    echo "FAIL: $name" >&2
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$log" || true
done
