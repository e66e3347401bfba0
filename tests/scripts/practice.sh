#!/usr/bin/env bash
# A practice game against three computer tanks under Xvfb, driven only by
# the throttle and the gun held down (PRACTICE_SECONDS of play, default 75):
#   - every computer tank moves at least 200 units in every whole minute;
#   - they score frags, and at least one dies and comes back;
#   - Tab shows the scoreboard with a line for every tank;
#   - Escape twice ends the game with 0.
# The state digest every 2 s gives the positions, the score lines the frags.
# PRACTICE_SHOTS names a folder to keep the scoreboard's picture in.
# Args: path to the ferrowind binary, repository root. Needs DISPLAY.
set -u
binary=$(readlink -f "$1")
root=$2
seconds=${PRACTICE_SECONDS:-75}
work=$(mktemp -d)
trap 'kill "${game_pid:-}" 2>/dev/null; rm -rf "$work"' EXIT
. "$root/tests/scripts/lib/drive.sh"

"$binary" --help | grep -q -- "--bots" || fail "--help should name --bots"

cp -r "$root/assets" "$work/field"
export FERROWIND_DIGEST_EVERY=2
if ! start_game "$binary" "$work/field" --bots 3 --bot-level normal --seed 7; then
  fail "the game did not reach its menu"
  tail -n 5 "$work/stdout" "$work/stderr"
  exit 1
fi
press space
xdotool keydown --window "$window" i space 2>/dev/null
sleep "$seconds"
xdotool keyup --window "$window" space 2>/dev/null
shot plain 1
xdotool keydown --window "$window" Tab 2>/dev/null
shot scoreboard 2
xdotool keyup --window "$window" Tab i 2>/dev/null
[ -n "${PRACTICE_SHOTS:-}" ] && mkdir -p "$PRACTICE_SHOTS" && cp "$work/scoreboard.png" "$work/stdout" "$PRACTICE_SHOTS/"
[ "$(differing plain scoreboard 560x120+230+240)" -gt 5000 ] || fail "Tab should show the scoreboard"

press Escape
sleep 1
press Escape
wait_for_exit
code=$?
[ "$code" -eq 0 ] || fail "the game should end with 0 after Escape twice, got $code"

mapfile -t bots < <(sed -nE 's/^computer tank BOT ([0-9]+) is object ([0-9]+)$/\1 \2/p' "$work/stdout")
[ "${#bots[@]}" -eq 3 ] || fail "three computer tanks should have entered, saw ${#bots[@]}"
deaths_back=0
for entry in "${bots[@]}"; do
  read -r number bot <<<"$entry"
  # Distance driven per whole minute of digests, while alive at both ends of
  # a step (a respawn is a jump, not a drive); whether it died (its score,
  # printed after the digest of the same time) and was seen alive after that.
  report=$(awk -v name="object$bot" -v number="$number" '
    $1 == "digest" && $3 == "tank" && $4 == name {
      t = $2; if (start == "") start = t
      if (seen && last_active && $NF == 1) { dx = $6 - x; dz = $8 - z; minute[int((t - start) / 60000)] += sqrt(dx * dx + dz * dz) }
      if (died && $NF == 1) back = 1
      x = $6; z = $8; last_active = $NF; seen = 1; end = t
    }
    $1 == "score" && $2 == "BOT" && $3 == number && $7 >= 1 { died = 1 }
    END {
      whole = int((end - start) / 60000); least = -1; each = ""
      for (m = 0; m < whole; ++m) { if (least < 0 || minute[m] < least) least = minute[m]; each = each " " int(minute[m]) }
      printf "%d %d %d %d%s\n", whole, least, died, back, each
    }' "$work/stdout")
  read -r whole least died back each <<<"$report"
  echo "object $bot: $whole whole minutes, driven in each: $each units; died $died, came back $back"
  [ "$whole" -ge 1 ] || fail "object $bot: no whole minute of digests"
  [ "$least" -ge 200 ] || fail "object $bot drove only $least units in a minute"
  deaths_back=$((deaths_back + died * back))
done
[ "${deaths_back:-0}" -ge 1 ] || fail "at least one computer tank should have died and come back"
frags=$(grep '^score BOT' "$work/stdout" | tail -n 3 | awk '{ sum += $5 } END { print sum + 0 }')
echo "computer tanks' frags: $frags"
grep '^score ' "$work/stdout" | tail -n 4
[ "$frags" -ge 1 ] || fail "the computer tanks should score frags"

if [ "$failures" -eq 0 ]; then
  echo "practice passed"
fi
exit "$failures"
