# Drives one copy of the game under Xvfb with xdotool and reads its window
# with ImageMagick; sourced by the whole-program test scripts and by
# tools/screenshot.sh. Needs DISPLAY, an X server started with -noreset. The
# caller sets `work` to a scratch folder and `root` to the repository. A
# failed check is counted and the script goes on; it exits with the count.

. "$root/tests/scripts/lib/check.sh"
fail_goes_on=1

# The game announces itself by broadcast: run it in a network namespace of
# its own (only a loopback, down) where that is possible, so nothing leaves.
isolate=()
if unshare -n true 2>/dev/null; then
  isolate=(unshare -n)
fi

# The player's settings file goes under this folder, so that a run leaves the
# user's own settings alone; empty: the game's default place under HOME.
config_home=$work/config

# Starts the program $1 in folder $2 with the remaining arguments and waits
# for its loop and its window; sets game_pid and window. Returns 1 if it
# ended or showed no window. (The X server must run with -noreset: the
# program's first connection is a probe, and a server that resets when it
# closes hangs up on the next.)
start_game() {
  local program=$1 folder=$2
  shift 2
  (cd "$folder" && XDG_CONFIG_HOME=$config_home exec "${isolate[@]}" "$program" "$@" >"$work/stdout" 2>"$work/stderr") &
  game_pid=$!
  wait_until 30 running_or_ended
  game_running || return 1
  sleep 0.5
  window=$(new_window 30 "") || return 1
  xdotool mousemove --window "$window" 50 50 2>/dev/null
}

game_running() { kill -0 "$game_pid" 2>/dev/null; }
game_ended() { ! game_running; }
running_or_ended() { grep -q '^RUN$' "$work/stdout" 2>/dev/null || ! game_running; }

# Waits up to thirty seconds for the game to end; kills it after that and
# returns 124, else returns its exit code.
wait_for_exit() {
  if ! wait_until 30 game_ended; then
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
    return 124
  fi
  wait "$game_pid"
}

# One press of each key named. A key read while held (Space, arrows) needs hold.
press() { xdotool key --window "$window" "$@" 2>/dev/null; }

# Holds key $1 down for $2 seconds: the game polls held keys once a frame.
hold() {
  xdotool keydown --window "$window" "$1" 2>/dev/null
  sleep "$2"
  xdotool keyup --window "$window" "$1" 2>/dev/null
}

# Saves the window's picture as $work/$1.png, after a moment for a frame or two.
shot() {
  sleep "${2:-1}"
  import -window "$window" "$work/$1.png" 2>/dev/null
}

# Takes shot $1 again and again until the command after it succeeds on it,
# for up to $2 seconds: a loaded machine may take a second or more a frame.
shot_until() {
  local name=$1 deadline=$((SECONDS + $2))
  shift 2
  while ((SECONDS < deadline)); do
    shot "$name" 0.3
    "$@" && return 0
  done
  return 1
}

# Pixels that differ by more than 10% between shots $1 and $2 within the
# geometry $3 (WxH+X+Y, window pixels from the top left).
differing() {
  compare -metric AE -fuzz 10% "$work/$1.png[$3]" "$work/$2.png[$3]" null: 2>&1 | cut -d' ' -f1
}

# Percentage of the columns of geometry $3 (WxH+X+Y) in which shots $1 and $2
# have a pixel that differs by more than 10%.
differing_columns() {
  local width=${3%%x*}
  compare -fuzz 10% "$work/$1.png[$3]" "$work/$2.png[$3]" -compose src \
    -highlight-color white -lowlight-color black "$work/difference.png" 2>/dev/null
  convert "$work/difference.png" -colorspace gray -scale "${width}x1!" -threshold 0 \
    -format '%[fx:int(100*mean)]' info:
}

# Standard deviation of the brightness within geometry $2 of shot $1, in thousandths.
spread() {
  convert "$work/$1.png[$2]" -colorspace gray -format '%[fx:int(1000*standard_deviation)]' info:
}

# True when the minimap corner of shot $1 marks a tank: tanks are drawn in (1, 0.25, 0.1).
tank_marked() {
  [ "$(convert "$work/$1.png[200x170+812+10]" -fx 'r > 0.78 && g > 0.12 && g < 0.4 && b < 0.24 ? 1 : 0' \
    -format '%[fx:int(mean*w*h)]' info:)" -gt 10 ]
}

# Holds Space until the local tank lives (its minimap marker shows), up to
# $1 seconds; the last shot is $work/spawned.png.
spawn() {
  xdotool keydown --window "$window" space 2>/dev/null
  shot_until spawned "$1" tank_marked spawned
  local alive=$?
  xdotool keyup --window "$window" space 2>/dev/null
  return $alive
}
