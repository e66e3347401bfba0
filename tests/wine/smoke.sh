#!/usr/bin/env bash
# ferrowind.exe under wine on the default battlefield: it greets first, loads
# the battlefield with its models from the 32-bit cache, opens its window on
# the menu, starts playing on a click on Play and draws the battlefield (a
# screenshot that is neither the menu nor blank), prints its help text on F1,
# logs to output.txt and leaves with 0 on Escape, Escape.
# Under a 32-bit wine emulated by qemu (kernels without i386 support) a
# battlefield frame takes seconds, and the first one far longer (llvmpipe
# compiles its shaders in the emulator): the waits below allow for that.
source "$(dirname "$0")/common.bash"
trap 'stop_wine; [ "$passed" = 1 ] && rm -rf "$work"' EXIT
passed=0

# How much a picture's grey levels spread (0 to 1): a blank one has none.
spread() { convert "$1" -colorspace gray -format '%[fx:standard_deviation]' info:; }
# How far two pictures differ (0 to 1).
difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
above() { awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value > limit) }'; }

# Wine takes no synthetic events sent to a window: keys and clicks go through
# the XTEST extension to the window that has the focus.
key() { xdotool windowfocus "$window" key "$1" 2>/dev/null; }

# A network namespace of its own, loopback only: nothing leaves the machine.
start_exe unshare -n sh -c 'ip link set lo up; exec "$@"' sh
started=$SECONDS
wait_for_line "$work/stdout" "RUN" 400 || fail "ferrowind.exe did not reach its main loop"
echo "prefix made and main loop reached in $((SECONDS - started)) s"
# Lines end in CR LF, as Windows text output does.
[ "$(head -n1 "$work/stdout" | tr -d '\r')" = "Hellow World" ] || fail "the first line should be \"Hellow World\""
grep -q -F "models loaded" "$work/stdout" || fail "the models were not loaded from the 32-bit cache"
window=$(new_window 60 "") || fail "no window"
shown=$SECONDS
menu_spread=0
while ((SECONDS < shown + 120)); do
    sleep 2
    import -window root "$work/menu.png" || fail "no screenshot of the menu"
    menu_spread=$(spread "$work/menu.png")
    above "$menu_spread" 0.05 && break
done
echo "menu drawn $((SECONDS - shown)) s after the window showed"
above "$menu_spread" 0.05 || fail "the menu looks blank (spread $menu_spread)"

# Play, in window pixels; the click also makes the window wine's active one.
xdotool windowfocus "$window" mousemove --window "$window" 512 288 click 1 2>/dev/null
clicked=$SECONDS
play_spread=0
change=0
while ((SECONDS < clicked + 300)); do
    sleep 3
    kill -0 "$exe_pid" 2>/dev/null || fail "ferrowind.exe ended after the click on Play"
    import -window root "$work/play.png" || fail "no screenshot of the battlefield"
    play_spread=$(spread "$work/play.png")
    change=$(difference "$work/menu.png" "$work/play.png")
    above "$play_spread" 0.05 && above "$change" 0.1 && break
done
echo "first battlefield frame after $((SECONDS - clicked)) s: spread $play_spread (menu $menu_spread), difference from the menu $change"
# F1 comes before the verdict on the picture: a help text printed under a
# blank window tells a stalled frame loop from one that draws nothing.
key F1
pressed=$SECONDS
wait_for_line "$work/stdout" "F9 ToggleShadows" 120
help=$?
above "$play_spread" 0.05 || fail "the battlefield looks blank (spread $play_spread; help text on F1: $([ $help = 0 ] && echo printed || echo none))"
above "$change" 0.1 || fail "the battlefield looks like the menu (difference $change)"
[ $help = 0 ] || fail "F1 printed no help text"
echo "help text printed $((SECONDS - pressed)) s after F1"
grep -q -F "F1 - show this menu" "$work/stdout" || fail "the help text lacks its first key"

key Escape  # back to the menu
# The second Escape only once a frame has taken the first: in play it would
# be read as the same request.
for _ in $(seq 40); do
    sleep 3
    import -window root "$work/back.png" || fail "no screenshot of the menu"
    above "$(difference "$work/menu.png" "$work/back.png")" 0.05 || break
done
key Escape  # leaves the game
expect_clean_exit 120
[ -f "$work/field/output.txt" ] || fail "the log should be output.txt"
echo "ferrowind.exe greeted, drew the menu and the battlefield, printed its help and ended cleanly in $((SECONDS - started)) s"
passed=1
