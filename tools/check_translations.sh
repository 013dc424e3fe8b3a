#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a text of the sources has no finished translation in a .ts:
# lupdate, as `update_translations` runs it, brings a copy of each .ts up to
# date with src/, and the copy must hold no unfinished message.
#   tools/check_translations.sh <lupdate> <file.ts>...   (from the top folder)
set -eu
lupdate=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$@"; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" -silent -locations none -no-obsolete -source-language ja src -ts "$copy"
  if grep -q 'type="unfinished"' "$copy"; then
    echo "$ts: texts without a finished translation (run: cmake --build build --target update_translations, then translate):"
    grep -B1 'type="unfinished"' "$copy" | grep '<source>' | sed 's/^ *//'
    status=1
  fi
done
exit $status
