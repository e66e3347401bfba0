#!/bin/bash
# Prints which library's sources include which other library's headers, one
# edge a line with the number of includes behind it: "game -> net (3)".
# With --check, also fails on an edge the layering does not allow.
set -euo pipefail
cd "$(dirname "$0")/.."
layers="game net input render sound"
# Who may include whom. The game class builds and drives the four others
# (its constructor and frame loop), so game reaches all of them; the other
# libraries reach game for the shared model and never each other, but input,
# which steers the renderer's camera and the peers' lag.
declare -A allowed=(
  [game]="game net input render sound"
  [net]="net game"
  [sound]="sound game"
  [render]="render game"
  [input]="input game net render sound"
)
status=0
for from in $layers; do
  for to in $layers; do
    [ "$from" = "$to" ] && continue
    # main.cpp wires every library together: it is the program, not a layer.
    count=$( (grep -l "^#include \"$to/" "$from"/*.cpp "$from"/*.h || true) |
      (grep -v '^game/main.cpp$' || true) | xargs -r grep -h "^#include \"$to/" | wc -l)
    [ "$count" -eq 0 ] && continue
    echo "$from -> $to ($count)"
    if [[ " ${allowed[$from]} " != *" $to "* ]]; then
      [ "${1:-}" = "--check" ] && echo "  not allowed: $from may include only ${allowed[$from]}" >&2 && status=1
    fi
  done
done
exit $status
