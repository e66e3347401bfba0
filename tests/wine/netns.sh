#!/usr/bin/env bash
# ferrowind.exe in a network namespace (tools/netns.sh) announces its tank as
# one 124-byte record from the address its host name resolves to there; a
# listener in a second namespace on the same network receives it. Its own
# broadcast comes back to it, and it prints "MSG" for it.
#
# The exe finds its address by looking up its host name: the namespace gets a
# host name of its own (a UTS namespace) and a hosts file (ip netns exec lays
# /etc/netns/NAME/hosts over /etc/hosts) that gives that name the
# namespace's address.
source "$(dirname "$0")/common.bash"
netns=$root/tools/netns.sh
"$netns" check || { echo "SKIP: network namespaces are not available here (root needed)"; exit 77; }
command -v socat >/dev/null 2>&1 || fail "socat is missing (tools/setup.sh installs it)"

export FERROWIND_NETNS="fwwn$$"
peer_ns=${FERROWIND_NETNS}p1
listener=""
passed=0
cleanup() {
    stop_wine
    [ -n "$listener" ] && kill "$listener" 2>/dev/null
    "$netns" down
    rm -rf "/etc/netns/$peer_ns"
    [ "$passed" = 1 ] && rm -rf "$work"
}
trap cleanup EXIT

"$netns" up 2 >/dev/null || fail "the namespaces could not be made"
address=$("$netns" address 1)
mkdir -p "/etc/netns/$peer_ns"
printf '127.0.0.1 localhost\n%s fwwinpeer\n' "$address" >"/etc/netns/$peer_ns/hosts"

new_prefix
# One datagram to port 12000, as it arrives, into a file.
"$netns" run 2 socat -u UDP4-RECVFROM:12000 CREATE:"$work/datagram" &
listener=$!
(cd "$work/field" && exec "$netns" run 1 unshare --uts sh -c 'hostname fwwinpeer && exec wine ferrowind.exe' \
    >"$work/stdout" 2>"$work/stderr") &
exe_pid=$!

wait_for_line "$work/stdout" " Attempting to connect " 300 || fail "ferrowind.exe did not announce itself"
for _ in $(seq 40); do
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
[ "$sender" = "$address" ] || fail "the announcement names sender $sender, not $address"
wait_for_line "$work/stdout" "MSG" 30 || fail "no \"MSG\" line for the broadcast that came back"
echo "ferrowind.exe announced itself from $sender in one 124-byte record"
passed=1
