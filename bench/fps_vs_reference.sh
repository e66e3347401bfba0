#!/usr/bin/env bash
# Frame rate of the game in play against a reference: Debian's bzflag, the
# open-source 3D LAN tank game, measured the same way right after on the same
# machine. Both run on a virtual display of their own (Xvfb, Mesa llvmpipe,
# 1024 x 768) with the tank alive and the camera turning; the frame rate comes
# from Mesa's GALLIUM_HUD=fps dump. Both run inside `unshare -n`, so nothing
# leaves the machine (the reference's server listens on the loopback only).
#
#   bench/fps_vs_reference.sh [SECONDS]   (default 25 s of play each)
#   FERROWIND_BINARY and FERROWIND_ASSETS name another build and its data
#   (default: build/ferrowind and assets/ of this tree);
#   FPS_SHOTS=DIR keeps a screenshot of each game in play in DIR;
#   FPS_RUNS names the game's runs (default "auto low medium high": the
#   automatic choice on a fresh settings file, then each preset);
#   FPS_REFERENCE=no plays the game's runs only (nothing installed, no ratios).
#
# Needs root: it installs bzflag-client, bzflag-server and mesa-utils when
# they are missing. A benchmark, not a test: it prints figures only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-25}
binary=${FERROWIND_BINARY:-$root/build/ferrowind}
assets=${FERROWIND_ASSETS:-$root/assets}
warmup=4  # seconds for a window to settle

if [ ! -x "$binary" ]; then
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build" -j"$(nproc)" --target ferrowind
fi
missing=()
with_reference=${FPS_REFERENCE:-yes}
packages=(mesa-utils xvfb xdotool iproute2)
[ "$with_reference" = no ] || packages+=(bzflag-client bzflag-server)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Debian installs the games outside the usual PATH.
export PATH="$PATH:/usr/games"

work=$(mktemp -d)
pids=()
cleanup() {
  [ -s "$work/bzfs.pid" ] && pids+=("$(cat "$work/bzfs.pid")")
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Without -noreset the server resets each time its last client (glxinfo,
# xdotool) leaves, and a game that connects meanwhile finds no display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
export SDL_AUDIODRIVER=dummy
echo "display $DISPLAY: $(glxinfo -B 2>/dev/null | grep -m1 'OpenGL renderer' || echo '?')"

# Runs "$@" in a network namespace with only the loopback, up, with the
# frame rate dumped into $work/hud-$name once a second.
isolated() {
  local name=$1
  shift
  mkdir -p "$work/hud-$name"
  exec unshare -n sh -c 'ip link set lo up && exec "$@"' sh \
    env GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$work/hud-$name" "$@"
}

# The window whose name matches $1, once it is shown.
window_named() {
  for _ in $(seq 300); do
    local w
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Keeps a picture of the display as $1.png in $FPS_SHOTS, if set.
shot() {
  [ -n "${FPS_SHOTS:-}" ] && import -window root "$FPS_SHOTS/$1.png" 2>/dev/null || true
}

# Turns the camera for $seconds: the pointer sweeps right and left over the
# middle of window $1.
turn_camera() {
  local window=$1 end=$((SECONDS + seconds))
  xdotool mousemove --window "$window" 300 384
  while [ $SECONDS -lt $end ]; do
    for step in 8 -8; do
      for _ in $(seq 50); do
        xdotool mousemove_relative -- "$step" 0
        sleep 0.02
      done
    done
  done
}

hud_file() { find "$work/hud-$1" -type f -name 'fps*' | head -n1; }
hud_lines() {
  local file
  file=$(hud_file "$1")
  if [ -n "$file" ]; then wc -l <"$file"; else echo 0; fi
}
# Processor time of process $1 so far, in ms (all its threads).
cpu_ms() { awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) * 1000 / tick }' "/proc/$1/stat"; }

# Plays $1 (game or reference, window $2, process $3) with the camera turning
# and prints the median of the 1 s frame-rate samples taken meanwhile and the
# processor time per frame. The latter is what a busy machine disturbs least.
measure() {
  local first cpu_before cpu_after
  first=$(hud_lines "$1")
  cpu_before=$(cpu_ms "$3")
  turn_camera "$2"
  cpu_after=$(cpu_ms "$3")
  shot "$1"
  awk '{ print $NF }' "$(hud_file "$1")" | tail -n +$((first + 2)) | sort -n |
    awk -v cpu=$((${cpu_after%.*} - ${cpu_before%.*})) '
      { v[NR] = $1; frames += $1 }
      END {
        median = NR ? (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) : 0
        printf "%.1f %.1f\n", median, frames ? cpu / frames : 0
      }'
}

# Plays the game with the settings of run $1 ("auto": the automatic choice
# on a fresh settings file, with its frame-rate guard; else that preset) and
# sets game_fps[$1] and game_cpu[$1].
declare -A game_fps game_cpu
play_game() {
  local run=$1 options=()
  [ "$run" = auto ] || options=(--preset "$run")
  echo "== Ferrowind ($run): $binary"
  rm -rf "$work/field"
  mkdir -p "$work/field" "$work/config-$run"
  cp -rs "$assets/." "$work/field/"
  find "$work/field" -name '*.blob' -type l -delete
  (cd "$work/field" && export XDG_CONFIG_HOME="$work/config-$run" &&
    isolated "game-$run" "$binary" "${options[@]}" "$work/field/output.txt" >"$work/game-$run.log" 2>&1) &
  pids+=($!)
  local window
  window=$(window_named '^Ferrowind$') || { echo "the game showed no window"; tail "$work/game-$run.log"; exit 1; }
  sleep "$warmup"
  # Space leaves the menu; in play the first shot brings the tank in. The game
  # reads held keys once a frame: the key stays down for a few seconds.
  xdotool mousemove --window "$window" 512 384 key space
  sleep 2
  xdotool keydown space
  sleep 3
  xdotool keyup space
  read -r "game_fps[$run]" "game_cpu[$run]" < <(measure "game-$run" "$window" "${pids[-1]}")
  grep -h '^Renderer\|^Quality' "$work/game-$run.log" | sed 's/^/  /' || true
  kill "${pids[-1]}" 2>/dev/null || true
  wait "${pids[-1]}" 2>/dev/null || true
}

runs=(${FPS_RUNS:-auto low medium high})
for run in "${runs[@]}"; do
  play_game "$run"
done

reference_fps=0 reference_cpu=0
if [ "$with_reference" != no ]; then
  echo "== Reference: $(dpkg-query -W -f='${Package} ${Version}' bzflag-client)"
  # Server and client share one namespace: the client reaches the server over
  # the loopback only.
  isolated reference sh -c 'bzfs -i 127.0.0.1 -p 5154 >"$0/bzfs.log" 2>&1 & echo $! >"$0/bzfs.pid"; sleep 2; exec "$@"' \
    "$work" bzflag -window 1024x768+0+0 -team red bench@127.0.0.1:5154 >"$work/bzflag.log" 2>&1 &
  pids+=($!)
  disown "${pids[-1]}"  # it ends by abort when killed; nothing to report
  reference_window=$(window_named '.') || { echo "the reference showed no window"; tail "$work/bzflag.log"; exit 1; }
  sleep "$warmup"
  # Once connected (give it a few more seconds on a busy machine), joins the
  # game: the tank spawns; then turns as the game above does.
  sleep 4
  xdotool mousemove --window "$reference_window" 512 384 keydown i
  sleep 1
  xdotool keyup i click 3
  sleep 1
  read -r reference_fps reference_cpu < <(measure reference "$reference_window" "${pids[-1]}")
fi

echo "over ${seconds} s of play each: median of the 1 s frame-rate samples, processor time per frame"
for run in "${runs[@]}"; do
  printf '  %-18s %8s fps %8s ms\n' "ferrowind $run" "${game_fps[$run]}" "${game_cpu[$run]}"
done
[ "$with_reference" = no ] && exit 0
printf '  %-18s %8s fps %8s ms\n' reference "$reference_fps" "$reference_cpu"
for run in "${runs[@]}"; do
  awk -v name="$run" -v g="${game_fps[$run]}" -v r="$reference_fps" -v gc="${game_cpu[$run]}" -v rc="$reference_cpu" 'BEGIN {
    if (r > 0) printf "ratio %-7s (ferrowind / reference): %.2f", name, g / r
    if (r > 0 && gc > 0) printf ", processor time per frame (reference / ferrowind): %.2f", rc / gc
    print ""
  }'
done
