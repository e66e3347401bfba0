#!/usr/bin/env bash
# ferrowind.exe under wine on the default battlefield: it greets first, loads
# the battlefield with its models from the 32-bit cache, opens its window on
# the menu (a screenshot that is not blank), logs to output.txt and leaves
# with 0 on Escape from the menu. Play itself is not driven here: under a
# 32-bit wine emulated by qemu the battlefield frame has not been seen to
# finish, so that check would test the emulator.
source "$(dirname "$0")/common.bash"
trap 'stop_wine; [ "$passed" = 1 ] && rm -rf "$work"' EXIT
passed=0

# How much a picture's grey levels spread (0 to 1): a blank one has none.
spread() { convert "$1" -colorspace gray -format '%[fx:standard_deviation]' info:; }
above() { awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value > limit) }'; }

# Wine takes no synthetic events sent to a window: keys go through the XTEST
# extension to the window that has the focus.
key() { xdotool windowfocus "$window" key "$1" 2>/dev/null; }

new_prefix
# A network namespace of its own: the announcement stays on this machine.
(cd "$work/field" && exec unshare -n wine ferrowind.exe >"$work/stdout" 2>"$work/stderr") &
exe_pid=$!

wait_for_line "$work/stdout" "RUN" 300 || fail "ferrowind.exe did not reach its main loop"
# Lines end in CR LF, as Windows text output does.
[ "$(head -n1 "$work/stdout" | tr -d '\r')" = "Hellow World" ] || fail "the first line should be \"Hellow World\""
window=$(find_window 60) || fail "no window"
sleep 3
import -window root "$work/menu.png" || fail "no screenshot of the menu"

grep -q -F "models loaded" "$work/stdout" || fail "the models were not loaded from the 32-bit cache"
menu_spread=$(spread "$work/menu.png")
echo "spread of the menu $menu_spread"
above "$menu_spread" 0.05 || fail "the menu looks blank (spread $menu_spread)"

key Escape  # leaves the game from the menu
for _ in $(seq 120); do
    kill -0 "$exe_pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$exe_pid" 2>/dev/null && fail "Escape in the menu did not end the game"
wait "$exe_pid"
code=$?
exe_pid=""
[ "$code" -eq 0 ] || fail "the game should end with 0, got $code"
[ -f "$work/field/output.txt" ] || fail "the log should be output.txt"
echo "ferrowind.exe greeted, loaded its battlefield, drew the menu and ended cleanly"
passed=1
