#!/usr/bin/env bash
# Soak: three copies on a namespace LAN with packet loss on the bridge, each
# driving its tank by seeded random keys (throttle, turns, shots, which also
# respawn a dead tank), copy 3's simulated lag changing now and then.
# Prints per copy: exit status, resident memory at start, once warmed up
# (after the first minute, or the first third of a shorter run) and at the
# end, peers known, warps logged, game messages received and records dropped.
# Fails if a copy crashes, hangs, loses a peer or grows by more than 10 %
# after it warmed up.
# Usage: bench/soak.sh [ferrowind binary] [repo root]
# Environment: SOAK_SECONDS (600), SOAK_SEED (1), SOAK_LOSS (percent, 5).
set -u

root=$(readlink -f "${2:-$(dirname "$0")/..}")
bin=$(readlink -f "${1:-$root/build/ferrowind}")
seconds=${SOAK_SECONDS:-600}
loss=${SOAK_LOSS:-5}
# Start-up growth (textures, the renderer's compiled shaders) is not a leak.
warmup=$((seconds / 3 < 60 ? seconds / 3 : 60))
RANDOM=${SOAK_SEED:-1}

if ! "$root/tools/netns.sh" check || ! command -v nft >/dev/null 2>&1; then
    echo "SKIP: network namespaces or nftables are not available here (root and tools/setup.sh needed)"
    exit 77
fi

work=$(mktemp -d /tmp/fwsoak.XXXXXX)
export FERROWIND_NETNS="fwsk$$"
source "$root/tests/scripts/lib/copies.sh"

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/${game_pids[$1]}/status" 2>/dev/null; }

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
"$netns" loss "$loss" || fail "the loss rule could not be set"
for i in 1 2 3; do start_copy "$i"; done
for i in 1 2 3; do
    wait_for "$work/stdout$i.txt" " tried to connect" 2 30 || fail "copy $i did not find both others"
done
declare -a rss_start rss_minute held
for i in 1 2 3; do rss_start[$i]=$(rss "$i"); held[$i]=""; done

keys=(i i k j l j l space space)
start=$SECONDS
next_lag=$((SECONDS + 20))
lag=0
while ((SECONDS - start < seconds)); do
    for i in 1 2 3; do
        alive "$i" || fail "copy $i exited during the soak"
        [ -n "${held[$i]}" ] && release "$i" "${held[$i]}"
        held[$i]=${keys[RANDOM % ${#keys[@]}]}
        hold "$i" "${held[$i]}"
    done
    if [ -z "${rss_minute[1]:-}" ] && ((SECONDS - start >= warmup)); then
        for i in 1 2 3; do rss_minute[$i]=$(rss "$i"); done
    fi
    if ((SECONDS >= next_lag)); then
        # Copy 3's lag wanders between 0 and 3 s, one key press at a time.
        if ((lag == 0 || (lag < 3 && RANDOM % 2))); then key 3 q; lag=$((lag + 1)); else key 3 e; lag=$((lag - 1)); fi
        next_lag=$((SECONDS + 10 + RANDOM % 20))
    fi
    sleep 0.$((2 + RANDOM % 5))
done
for i in 1 2 3; do
    [ -n "${held[$i]}" ] && release "$i" "${held[$i]}"
    [ -n "${rss_minute[$i]:-}" ] || rss_minute[$i]=${rss_start[$i]}
done
sleep 1
declare -a rss_end
for i in 1 2 3; do rss_end[$i]=$(rss "$i"); done
# Escape opens the menu, a second Escape quits; the copy prints its
# connection table and drop count as it closes. On a slow frame SDL may take
# two presses for key repeat and drop them: press until the copy is gone.
for i in 1 2 3; do
    for _ in $(seq 10); do
        alive "$i" || break
        key "$i" Escape
        sleep 1.5
    done
done
status_ok=1
printf '%-6s %-7s %-10s %-10s %-10s %-6s %-6s %-9s %-8s\n' copy status "rss start" "rss warm" "rss end" peers warps received dropped
for i in 1 2 3; do
    for _ in $(seq 100); do alive "$i" || break; sleep 0.1; done
    alive "$i" && fail "copy $i did not close"
    wait "${game_pids[$i]}"
    status=$?
    game_pids[$i]=""
    # Copies close one after another: those that quit first are among the
    # later ones' departed entries.
    peers=$(($(table_entries "$work/stdout$i.txt") - 1))
    # The sum of the counts of every reason on the last "records dropped:" line.
    dropped=$(grep -F "records dropped:" "$work/stdout$i.txt" | tail -n 1 | sed 's/;.*//' |
        awk '{ for (k = 1; k <= NF; k++) if ($k ~ /^[0-9]+$/ && k > 3) n += $k } END { print n + 0 }')
    printf '%-6s %-7s %-10s %-10s %-10s %-6s %-6s %-9s %-8s\n' "$i" "$status" "${rss_start[$i]} kB" \
        "${rss_minute[$i]} kB" "${rss_end[$i]} kB" "$peers" "$(count "$work/output$i.txt" Warping)" \
        "$(count "$work/stdout$i.txt" "net trace:")" "${dropped:-?}"
    [ "$status" -eq 0 ] || { echo "copy $i exited with status $status"; status_ok=0; }
    [ "$peers" -eq 2 ] || { echo "copy $i knows $peers peers, not 2"; status_ok=0; }
    [ -n "${rss_end[$i]}" ] && [ -n "${rss_minute[$i]}" ] || { echo "copy $i's memory could not be read"; status_ok=0; }
    awk -v e="${rss_end[$i]}" -v m="${rss_minute[$i]}" 'BEGIN { exit !(e <= m * 1.1) }' ||
        { echo "copy $i grew from ${rss_minute[$i]} kB to ${rss_end[$i]} kB"; status_ok=0; }
done
[ "$status_ok" = 1 ] || fail "the soak found faults"
passed=1
echo "PASS"
