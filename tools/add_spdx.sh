#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every source file of the repository
# that lacks it: C++ files get the // form, scripts and build files the #
# form (below a #! line). A second run changes nothing.
# Usage: tools/add_spdx.sh [--check]
#   --check  changes nothing; lists the files without the line and fails if
#            there are any (the test suite runs it so).
set -euo pipefail

cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = --check ] && check=true
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # An unpacked source archive: no list of the project's own files.
  echo "SKIP: not a git checkout, no list of source files"
  exit 77
fi

line_tag='SPDX-License-Identifier: GPL-3.0-or-later'

# The comment form a file takes, or nothing when it is no source file.
comment_for() {
  case "$1" in
    *.cpp | *.h | *.c | *.hpp) echo '//' ;;
    *.sh | *.cmake | */CMakeLists.txt | CMakeLists.txt | Makefile | */Makefile) echo '#' ;;
    *) head -c2 "$1" 2>/dev/null | grep -q '^#!' && echo '#' ;;
  esac
}

# Tracked files and new ones not yet added, without what git ignores.
source_files() {
  git ls-files -z --cached --others --exclude-standard
}

missing=0
while IFS= read -r -d '' file; do
  [ -f "$file" ] && [ ! -L "$file" ] || continue
  # Hidden folders hold the tools' own settings, not the game's sources.
  case "$file" in .*) continue ;; esac
  comment=$(comment_for "$file") || true
  [ -n "$comment" ] || continue
  head -n3 "$file" | grep -qF "$line_tag" && continue
  if $check; then
    echo "no licence line: $file"
    missing=$((missing + 1))
    continue
  fi
  tmp=$(mktemp)
  if head -n1 "$file" | grep -q '^#!'; then
    { head -n1 "$file"; echo "$comment $line_tag"; tail -n +2 "$file"; } >"$tmp"
  else
    { echo "$comment $line_tag"; cat "$file"; } >"$tmp"
  fi
  # Keep the file's mode (scripts stay executable).
  cat "$tmp" >"$file"
  rm -f "$tmp"
  echo "added: $file"
done < <(source_files)

if $check && [ "$missing" -gt 0 ]; then
  echo "$missing source file(s) without '$line_tag': run tools/add_spdx.sh"
  exit 1
fi
exit 0
