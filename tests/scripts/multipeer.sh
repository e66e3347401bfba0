#!/usr/bin/env bash
# Three copies of the game on a private network of namespaces (tools/netns.sh),
# sharing one Xvfb:
#   - started one after another, they find each other: each connects the other
#     two (three table entries, two peers' tanks in each game);
#   - the newcomers' clocks agree with the first copy's within 50 ms;
#   - a turn and a shot of one tank reach the other two;
#   - with lag raised on one copy (key q), the messages that reach it late make
#     it write "Warping" lines to its output log;
#   - killing one copy does not disturb the other two, which then close cleanly;
#   - each copy's connection table lists all three, and messages are applied
#     to the tank the table gives their sender.
# Skipped (exit 77) where network namespaces cannot be made.
# Args: path to the ferrowind binary, repo root.
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
work=$(mktemp -d /tmp/fwmultipeer.XXXXXX)
export FERROWIND_NETNS="fwmp$$"
copy_env=(FERROWIND_NET_TRACE=1)
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools

# The index copy $1 gave to the tank of the copy at address $2, from the
# connection table it printed.
# A peer that quit first is listed apart: "departed: ADDRESS (tank N)".
tank_of() {
    awk -v addr="$2" '$3 == "from" && $4 == addr { index_ = $2 }
                      $2 == "departed:" && $3 == addr { index_ = $5 + 0 } END { print index_ }' "$work/stdout$1.txt"
}

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
address() { "$netns" address "$1"; }

# --- Three copies, started one after another, find each other.
for i in 1 2 3; do
    start_copy "$i"
done
for i in 1 2 3; do
    wait_for "$work/stdout$i.txt" " tried to connect" 2 30 || fail "copy $i did not connect both others"
done
sleep 1
for i in 1 2 3; do
    n=$(count "$work/stdout$i.txt" " tried to connect")
    [ "$n" -eq 2 ] || fail "copy $i connected $n times, not 2"
done
[ "$(count "$work/stdout1.txt" "time sync engaged")" -eq 0 ] || fail "the first copy set its clock"
for i in 2 3; do
    wait_for "$work/stdout$i.txt" "time sync engaged" 1 10 || fail "copy $i never set its clock"
done
echo "three copies connected each other; the newcomers set their clocks"

# --- Timing probes (key z) on every copy: the clocks agree.
for i in 1 2 3; do hold "$i" z; done
sleep 6
for i in 1 2; do release "$i" z; done

first=$(clock_offset 1)
[ -n "$first" ] || fail "copy 1 printed no timing probe"
for i in 2 3; do
    other=$(clock_offset "$i")
    [ -n "$other" ] || fail "copy $i printed no timing probe"
    diff=$((other - first))
    echo "copy $i clock - copy 1 clock: $diff ms"
    ((diff <= 50 && diff >= -50)) || fail "copy $i's clock is $diff ms off copy 1's"
done

# Copies 1 and 2 print their connection tables when they close; copy 3 is
# killed, so its table comes from a probe, which prints it when it falls in
# the first 10 ms of a second: z stays held until one did.
probing=$SECONDS
wait_for "$work/stdout3.txt" "connections are:" 1 120 || fail "copy 3 printed no connection table in 120 s of probes"
release 3 z
echo "copy 3 printed its connection table after $((SECONDS - probing)) s of probes"
sleep 0.5

# --- A turn and a shot of copy 1's tank reach copies 2 and 3, addressed to
# the index each of them gave that tank.
# Held keys are read once a frame: each is held until both peers received
# what it makes (frames are slow under ThreadSanitizer).
from1=$(address 1)
for pair in j:GMSG_CHANGE_ANGLES space:GMSG_SHOOT; do
    hold 1 "${pair%%:*}"
    for i in 2 3; do
        wait_for "$work/stdout$i.txt" "net trace: ${pair#*:} for object" 1 20 || break
    done
    release 1 "${pair%%:*}"
done
for i in 2 3; do
    for what in GMSG_CHANGE_ANGLES GMSG_SHOOT; do
        wait_for "$work/stdout$i.txt" "net trace: $what for object" 1 10 || fail "copy $i received no $what"
        lines=$(grep -F "net trace: $what for object" "$work/stdout$i.txt" | grep -F "from $from1" || true)
        [ -n "$lines" ] || fail "copy $i received no $what from copy 1"
    done
done
echo "a turn and a shot of copy 1 reached copies 2 and 3"

# --- Lag on copy 3: messages from the others reach its game in batches, two
# seconds late, behind its own newer messages: it warps.
# One press at a time, and the release seen by a frame before the next press:
# SDL takes a release followed at once by a press of the same key for key
# repeat and drops both.
key 3 q
wait_for "$work/stdout3.txt" "Lag set to 1" 1 10 || fail "copy 3 did not raise its lag to 1"
sleep 1
key 3 q
wait_for "$work/stdout3.txt" "Lag set to 2" 1 10 || fail "copy 3 did not raise its lag to 2"
hold 3 z
for i in 1 2; do hold "$i" j; done
sleep 5
for i in 1 2; do release "$i" j; done
release 3 z
sleep 3
warps=$(count "$work/output3.txt" "Warping")
[ "$warps" -ge 1 ] || fail "copy 3 wrote no Warping line under lag"
grep -q -E "Warping [0-9]+ seconds, caused by a [0-9]+ ms lag and msgtype GMSG_CHANGE_ANGLES" "$work/output3.txt" ||
    fail "copy 3's warps do not name the late turns"
echo "copy 3 warped $warps times under a lag of 2 s"

# --- Killing copy 3 leaves copies 1 and 2 playing together.
kill -KILL "${game_pids[3]}"
wait "${game_pids[3]}" 2>/dev/null
game_pids[3]=""
sleep 1
before2=$(grep -c -F "net trace: GMSG_CHANGE_ANGLES for object" "$work/stdout2.txt")
before1=$(grep -c -F "net trace: GMSG_CHANGE_ANGLES for object" "$work/stdout1.txt")
hold 1 j
hold 2 l
sleep 1
release 1 j
release 2 l
for i in 1 2; do alive "$i" || fail "copy $i died after copy 3 was killed"; done
wait_for "$work/stdout2.txt" "net trace: GMSG_CHANGE_ANGLES for object" $((before2 + 1)) 10 ||
    fail "copy 2 stopped receiving copy 1's turns after copy 3 was killed"
wait_for "$work/stdout1.txt" "net trace: GMSG_CHANGE_ANGLES for object" $((before1 + 1)) 10 ||
    fail "copy 1 stopped receiving copy 2's turns after copy 3 was killed"
echo "copies 1 and 2 kept playing after copy 3 was killed"

# --- Escape opens the menu, a second Escape quits: both close cleanly.
for i in 1 2; do
    key "$i" Escape
    sleep 1.5
    key "$i" Escape
done
for i in 1 2; do
    for _ in $(seq 100); do alive "$i" || break; sleep 0.1; done
    alive "$i" && fail "copy $i did not close"
    wait "${game_pids[$i]}"
    status=$?
    game_pids[$i]=""
    [ "$status" -eq 0 ] || fail "copy $i exited with status $status"
done
echo "copies 1 and 2 closed cleanly"

# --- Each copy's last connection table lists all three (copy 1, which quit
# first, among copy 2's departed), its own tank as object 1; copies 2 and 3
# applied copy 1's turns and shots to the object their table gives copy 1's tank.
for i in 1 2 3; do
    entries=$(table_entries "$work/stdout$i.txt")
    [ "$entries" -eq 3 ] || fail "copy $i's connection table has $entries entries"
    for j in 1 2 3; do
        [ -n "$(tank_of "$i" "$(address "$j")")" ] || fail "copy $i's table lacks $(address "$j")"
    done
    [ "$(tank_of "$i" "$(address "$i")")" = 1 ] || fail "copy $i's own entry is not object 1"
done
for i in 2 3; do
    tank=$(tank_of "$i" "$from1")
    for what in GMSG_CHANGE_ANGLES GMSG_SHOOT; do
        grep -F "net trace: $what for object" "$work/stdout$i.txt" | grep -F "from $from1" |
            grep -v -q -F "for object $tank from" && fail "copy $i applied copy 1's $what to another object"
    done
done
echo "every connection table lists the three copies; copy 1's messages went to its tank"

passed=1
echo "PASS"
