#!/bin/bash
# Prints which library's sources include which other library's headers, one
# edge a line with the number of includes behind it: "game -> net (3)".
# With --check, also fails on an edge that the link order does not allow.
# The libraries, what each may use and which files of game/ and render/ go
# where come from cmake/Layers.cmake, so this graph and the link agree.
set -euo pipefail
cd "$(dirname "$0")/.."
layers_file=cmake/Layers.cmake
names() { sed -n "s/^set($1 \(.*\))\$/\1/p" "$layers_file"; }
model_names=" $(names FERROWIND_MODEL_NAMES) "
render_gl_names=$(names FERROWIND_RENDER_GL_NAMES)
layers=""
declare -A allowed=()
while read -r name uses; do
  layers+=" $name"
  allowed[$name]=" $uses "
done < <(sed -n 's/^ferrowind_layer(\([a-z_]*\)\( USES \([a-z_ ]*\)\)\{0,1\} SOURCES.*/\1 \3/p' "$layers_file")
# The key guide is a library of its own, shared with the asset generator.
layers+=" controls"

# The library a file of the program belongs to.
layer_of() {
  local dir=${1%%/*} base
  base=$(basename "$1")
  base=${base%.*}
  case $dir in
  game)
    [ "$base" = Controls ] && echo controls && return
    [[ "$model_names" == *" $base "* ]] && echo model || echo game
    ;;
  render)
    local pattern
    for pattern in $render_gl_names; do
      # shellcheck disable=SC2053 # the names are glob patterns
      [[ $base == $pattern ]] && echo render_gl && return
    done
    echo render
    ;;
  net | input | sound) echo "$dir" ;;
  esac
}

declare -A count=()
for file in game/*.cpp game/*.h net/*.cpp net/*.h input/*.cpp input/*.h render/*.cpp render/*.h sound/*.cpp sound/*.h; do
  # main.cpp wires every library together: it is the program, not a layer.
  [ "$file" = game/main.cpp ] && continue
  from=$(layer_of "$file")
  while read -r header; do
    [[ $header == */* ]] || header=$(dirname "$file")/$header
    to=$(layer_of "$header")
    [ -z "$to" ] || [ "$to" = "$from" ] && continue
    count[$from:$to]=$((${count[$from:$to]:-0} + 1))
  done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
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
