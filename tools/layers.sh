#!/bin/bash
# Prints which library's sources include which other library's headers, one
# edge a line with the number of includes behind it: "game -> net (3)".
# With --check, also fails on an edge that the link order does not allow.
# A file's library is its folder; the libraries and what each may use come
# from cmake/Layers.cmake, so this graph and the link agree.
set -euo pipefail
cd "$(dirname "$0")/.."
layers_file=cmake/Layers.cmake
layers=""
declare -A allowed=()
while read -r name uses; do
  layers+=" $name"
  allowed[$name]=" $uses "
done < <(sed -n 's/^ferrowind_layer(\([a-z_]*\)\( USES \([a-z_ ]*\)\)\{0,1\}\( PLATFORM.*\)\{0,1\})$/\1 \3/p' "$layers_file")
# The key guide is a library of its own, shared with the asset generator.
layers+=" controls"

declare -A count=()
for dir in $layers; do
  for file in "$dir"/*.cpp "$dir"/*.h; do
    [ -e "$file" ] || continue
    while read -r header; do
      [[ $header == */* ]] || header=$dir/$header
      to=${header%%/*}
      [[ " $layers " == *" $to "* ]] && [ "$to" != "$dir" ] || continue
      count[$dir:$to]=$((${count[$dir:$to]:-0} + 1))
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
  done
done

status=0
for from in $layers; do
  for to in $layers; do
    n=${count[$from:$to]:-0}
    [ "$n" -eq 0 ] && continue
    echo "$from -> $to ($n)"
    if [[ "${allowed[$from]:-}" != *" $to "* ]]; then
      uses=$(echo ${allowed[$from]:-})
      [ "${1:-}" = "--check" ] && echo "  not allowed: $from may use only ${uses:-nothing}" >&2 && status=1
    fi
  done
done
exit $status
