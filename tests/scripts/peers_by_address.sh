#!/usr/bin/env bash
# Joining by address: two copies on two subnets joined by a router, which no
# broadcast crosses. Copy 2 starts first, announcing by broadcast only; copy 1
# is given copy 2's address in FERROWIND_PEERS. Both must take in the other's
# tank, and copy 1's shots must reach copy 2.
# Args: path to the ferrowind binary, repo root.
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
work=$(mktemp -d /tmp/fwpeers.XXXXXX)
export FERROWIND_NETNS="fwpa$$"
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools

start_xvfb || fail "no Xvfb display could be started"
"$netns" routed >/dev/null || fail "the routed namespaces could not be made"
far=$("$netns" routed-address 2)
near=$("$netns" routed-address 1)

copy_env=(FERROWIND_NET_TRACE=1)
start_copy 2
copy_env=(FERROWIND_NET_TRACE=1 "FERROWIND_PEERS=$far")
start_copy 1
grep -qF "Announcing directly to $far as well" "$work/stdout1.txt" || fail "copy 1 did not take the address list"
for i in 1 2; do
    wait_for "$work/stdout$i.txt" " tried to connect" 1 20 || fail "copy $i did not take in the other's tank"
done
wait_for "$work/stdout1.txt" "time sync engaged" 1 10 || fail "copy 1 did not set its clock from copy 2"

hold 1 space
sleep 1
release 1 space
shots_from_near() { grep -F "net trace: GMSG_SHOOT" "$work/stdout2.txt" | grep -cF "from $near"; }
for _ in $(seq 50); do
    [ "$(shots_from_near)" -gt 0 ] && break
    sleep 0.2
done
[ "$(shots_from_near)" -gt 0 ] || fail "copy 1's shots did not reach copy 2"
echo "PASS: copies on $near and $far met through FERROWIND_PEERS across a router"
passed=1
