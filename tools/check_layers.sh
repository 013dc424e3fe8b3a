#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The folders of src/ are layers, from the bottom up in the order below. A
# file includes headers of its own layer or of one below it, never of one
# above: so no two folders include each other, round any number of others.
# Tests obey the same rule as the folder they test (tests/<layer>). Prints
# every include that breaks the rule, and every folder of src/ missing from
# the order, and then fails; prints nothing while the rule holds.
#
#   tools/check_layers.sh [source tree]
set -eu

order="shared rules records sound stages play select workshop app"
root=${1:-$(dirname "$0")/..}

rank() {
    i=0
    for layer in $order; do
        if [ "$layer" = "$1" ]; then
            echo "$i"
            return
        fi
        i=$((i + 1))
    done
    echo -1
}

broken=$(
    for top in src tests; do
        for dir in "$root/$top"/*/; do
            layer=$(basename "$dir")
            own=$(rank "$layer")
            if [ "$own" -lt 0 ]; then
                [ "$top" = src ] && echo "src/$layer: a folder missing from the layer order in $0"
                continue
            fi
            grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' "$dir" | while IFS= read -r hit; do
                included=$(printf '%s\n' "$hit" | sed -E 's/.*include[[:space:]]*"([^"/]+)\/.*/\1/')
                if [ "$(rank "$included")" -gt "$own" ]; then
                    echo "${hit%%#*}includes $included/, above $layer"
                fi
            done
        done
    done
)

if [ -n "$broken" ]; then
    printf '%s\n' "$broken"
    exit 1
fi
