#!/usr/bin/env bash
# Discovery under packet loss: three copies started at once on a namespace LAN
# whose bridge drops a share of the frames (tools/netns.sh loss). In every run
# each copy must list both others within 10 s of the last copy's announcement.
# Prints the time each run took. Skipped (exit 77) without namespaces or nft.
# Args: path to the ferrowind binary, repo root.
# Environment: DISCOVERY_RUNS (3), DISCOVERY_LOSS (percent, 5).
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
runs=${DISCOVERY_RUNS:-3}
loss=${DISCOVERY_LOSS:-5}
limit=10

work=$(mktemp -d /tmp/fwdiscovery.XXXXXX)
export FERROWIND_NETNS="fwdl$$"
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools
command -v nft >/dev/null 2>&1 || { echo "SKIP: nftables is not available here (tools/setup.sh installs it)"; exit 77; }
start_xvfb || fail "no Xvfb display could be started"
worst=0
for run in $(seq "$runs"); do
    "$netns" up 3 >/dev/null || fail "the namespaces could not be made"
    "$netns" loss "$loss" || fail "the loss rule could not be set"
    for i in 1 2 3; do launch_copy "$i"; done
    last=0
    for i in 1 2 3; do
        wait_for "$work/stdout$i.txt" " Attempting to connect " 1 180 || fail "run $run: copy $i did not reach its main loop"
        t=$(stamp_of "$work/stdout$i.txt" " Attempting to connect ")
        [[ "$t" > "$last" ]] && last=$t
    done
    for i in 1 2 3; do
        wait_for "$work/stdout$i.txt" " tried to connect" 2 $((limit + 2)) || fail "run $run: copy $i knows fewer than 2 peers"
    done
    took=0
    for i in 1 2 3; do
        t=$(grep -F " tried to connect" "$work/stdout$i.txt" | sed -n 2p | cut -d' ' -f1)
        d=$(awk -v a="$t" -v b="$last" 'BEGIN { d = a - b; printf "%.3f", d < 0 ? 0 : d }')
        awk -v d="$d" -v m="$took" 'BEGIN { exit !(d > m) }' && took=$d
    done
    awk -v d="$took" -v l="$limit" 'BEGIN { exit !(d <= l) }' || fail "run $run: discovery took $took s"
    awk -v d="$took" -v m="$worst" 'BEGIN { exit !(d > m) }' && worst=$took
    echo "run $run: every copy knew both others $took s after the last announcement ($loss % loss)"
    stop_copies
    "$netns" down
done
echo "$runs of $runs runs discovered every peer within $limit s (slowest $worst s)"
passed=1
echo "PASS"
