#!/usr/bin/env bash
# Makes screenshot.png, the README's picture of play: the default battlefield
# with the chase camera behind the tank, taken on a virtual display of its own
# (unless DISPLAY names one) and halved. Run after a build (./play.sh or ./test.sh); run again when the
# look of the game changes. Arg: the ferrowind binary (default build/ferrowind).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(readlink -f "${1:-$root/build/ferrowind}")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset -nolisten tcp" "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'kill "${game_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
. "$root/tests/scripts/lib/drive.sh"

cp -r "$root/assets" "$work/field"
start_game "$binary" "$work/field" || { echo "the game did not start"; exit 1; }
press space
sleep 2
spawn 60 || { echo "the tank did not enter the battle"; exit 1; }
# Turned a little left, for more of the battlefield beside the tank.
hold j 1
shot play 4
convert "$work/play.png" -resize 512x384 -strip -define png:compression-level=9 "$root/screenshot.png"
echo "wrote $root/screenshot.png ($(stat -c %s "$root/screenshot.png") bytes)"
