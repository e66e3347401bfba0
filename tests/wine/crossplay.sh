#!/usr/bin/env bash
# ferrowind.exe and a Linux copy play together on a private network of
# namespaces (tools/netns.sh), sharing one Xvfb:
#   - the exe, started first, announces its tank as one 124-byte record sent
#     from its own address; a listener in a third namespace receives it;
#   - the Linux copy, started next, is answered by the exe and sets its clock
#     from it;
#   - a shot of each reaches the other;
#   - on closing, each lists the other in its connection table (the exe
#     among its departed peers, since the Linux copy quits first).
# The exe finds its address by looking up its host name: its namespace gets a
# host name of its own (a UTS namespace) and a hosts file (ip netns exec lays
# /etc/netns/NAME/hosts over /etc/hosts) that gives that name the namespace's
# address.
# Args: bundle folder, repository root, scratch folder, the Linux program.
source "$(dirname "$0")/common.bash"
bin=$(readlink -f "$4")
export FERROWIND_NETNS="fwwx$$"
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools
command -v socat >/dev/null 2>&1 || fail "socat is missing (tools/setup.sh installs it)"

exe_ns=${FERROWIND_NETNS}p2
listener=""
cleanup_crossplay() {
    stop_wine
    [ -n "$listener" ] && kill "$listener" 2>/dev/null
    rm -rf "/etc/netns/$exe_ns"
    cleanup
}
trap cleanup_crossplay EXIT
fail_logs=("$work/stdout" "$work/stdout1.txt")

# The exe reports every game message it receives, and its table on closing.
export FERROWIND_NET_TRACE=1
start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
linux_address=$("$netns" address 1)
exe_address=$("$netns" address 2)
mkdir -p "/etc/netns/$exe_ns"
printf '127.0.0.1 localhost\n%s fwwinpeer\n' "$exe_address" >"/etc/netns/$exe_ns/hosts"

# --- The exe's announcement, as it arrives in a third namespace.
"$netns" run 3 socat -u UDP4-RECVFROM:12000 CREATE:"$work/datagram" &
listener=$!
start_exe "$netns" run 2 unshare --uts sh -c 'hostname fwwinpeer && exec "$@"' sh
wait_for_line "$work/stdout" " Attempting to connect " 400 || fail "ferrowind.exe did not announce itself"
grep -q -F "address $exe_address" "$work/stdout" || fail "the host-name lookup did not give $exe_address"
for _ in $(seq 60); do
    kill -0 "$listener" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$listener" 2>/dev/null && fail "the listener received nothing"
listener=""
size=$(stat -c %s "$work/datagram")
[ "$size" -eq 124 ] || fail "the announcement is $size bytes, not 124"
type=$(od -An -tu4 -j0 -N4 "$work/datagram" | tr -d ' ')
[ "$type" -eq 601 ] || fail "the announcement has type $type, not 601"
sender=$(od -An -tu1 -j108 -N4 "$work/datagram" | xargs | tr ' ' .)
[ "$sender" = "$exe_address" ] || fail "the announcement names sender $sender, not $exe_address"
echo "ferrowind.exe announced itself from $sender in one 124-byte record"

exe_window=$(new_window 60 "") || fail "ferrowind.exe has no window"

# --- The Linux copy joins; the exe answers it and lends it its clock.
start_copy 1
wait_for "$work/stdout1.txt" "time sync engaged" 1 60 || fail "the Linux copy did not set its clock from the exe"
wait_for_line "$work/stdout" " tried to connect" 60 || fail "the exe did not take the Linux copy's announcement"
echo "the Linux copy connected the exe and set its clock from it"

# --- A shot each way. Held keys are read once a frame, and a frame of the
# emulated exe takes seconds: each key is held until the other side got it.
hold 1 space
wait_for_line "$work/stdout" "net trace: GMSG_SHOOT for object" 120
release 1 space
grep -F "net trace: GMSG_SHOOT for object" "$work/stdout" | grep -q -F "from $linux_address" ||
    fail "no shot of the Linux copy reached the exe"
# Wine takes keys and clicks only through XTEST, to the window with the focus.
xdotool windowfocus "$exe_window" mousemove --window "$exe_window" 512 288 click 1 2>/dev/null  # Play
xdotool windowfocus "$exe_window" keydown space 2>/dev/null
shot_wait=$SECONDS
wait_for "$work/stdout1.txt" "net trace: GMSG_SHOOT for object" 1 300
xdotool keyup space 2>/dev/null
grep -F "net trace: GMSG_SHOOT for object" "$work/stdout1.txt" | grep -q -F "from $exe_address" ||
    fail "no shot of the exe reached the Linux copy"
echo "a shot of each reached the other (the exe's after $((SECONDS - shot_wait)) s)"

# --- Each closes on Escape (to the menu), Escape (quit) and lists the other.
# The Linux copy's keys are sent to its window: they need no focus.
key 1 Escape
sleep 1.5
key 1 Escape
wait_for "$work/stdout1.txt" "records dropped" 1 30 || fail "the Linux copy did not close"
# One Escape every few seconds: a frame of the exe takes that long.
expect_clean_exit 300 xdotool windowfocus "$exe_window" key Escape
grep -q -E "[0-9]+ from ${exe_address//./\\.}\\s*\$" "$work/stdout1.txt" ||
    fail "the Linux copy's connection table lacks the exe"
# The Linux copy quits first: the exe lists it among its departed peers.
grep -q -E "^([0-9]+ from ${linux_address//./\\.}\\s*|departed: ${linux_address//./\\.} \\(tank [0-9]+\\)\\s*)\$" \
    "$work/stdout" || fail "the exe's connection table lacks the Linux copy"
echo "each copy listed the other in its connection table"
passed=1
