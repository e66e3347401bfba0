#!/usr/bin/env bash
# Soak: three copies on a namespace LAN with packet loss on the bridge, each
# driving its tank by seeded random keys (throttle, turns, shots, which also
# respawn a dead tank), copy 3's simulated lag changing now and then. A third
# of the way in copy 2 is killed (SIGKILL) and started again; two thirds in
# copy 3 quits and comes back 20 s later. After the driving and 15 s of
# quiet the copies' last state digests are compared.
# Prints per copy: exit status, resident memory at start, once warmed up
# (after the first minute, or the first third of a shorter run, from its
# last start) and at the end, peers known, warps logged, game messages
# received, records dropped and disagreements its state checks found; then
# every "state differs" line of the whole soak, with the second it came at.
# Fails if a copy crashes, hangs, loses a peer, grows by more than 10 %
# after it warmed up, or ends with a battlefield that differs.
# Usage: bench/soak.sh [ferrowind binary] [repo root]
# Environment: SOAK_SECONDS (600), SOAK_SEED (1), SOAK_LOSS (percent, 5);
# FERROWIND_KEEP_LOGS keeps the copies' output of a run that passed.
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
copy_env=(FERROWIND_NET_TRACE=1 FERROWIND_DIGEST_EVERY=1)
source "$root/tests/scripts/lib/copies.sh"

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/${game_pids[$1]}/status" 2>/dev/null; }

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
"$netns" loss "$loss" || fail "the loss rule could not be set"
for i in 1 2 3; do start_copy "$i"; done
for i in 1 2 3; do
    wait_for "$work/stdout$i.txt" " tried to connect" 2 30 || fail "copy $i did not find both others"
done
declare -a rss_start rss_minute held started_at
for i in 1 2 3; do rss_start[$i]=$(rss "$i"); held[$i]=""; started_at[$i]=$SECONDS; done
restart_at=$((SECONDS + seconds / 3))
depart_at=$((SECONDS + 2 * seconds / 3))
back_at=0

# Copy $1 started again: its memory is measured from this start, and what it
# printed before is kept for the disagreement lines.
started_again() {
    cat "$work/stdout$1.txt" >>"$work/earlier$1.txt"
    start_copy "$1"
    wait_for "$work/stdout$1.txt" " tried to connect" 2 30 || fail "copy $1 did not find both others again"
    rss_start[$1]=$(rss "$1")
    rss_minute[$1]=""
    started_at[$1]=$SECONDS
    held[$1]=""
}

keys=(i i k j l j l space space)
start=$SECONDS
soak_began=$EPOCHREALTIME
next_lag=$((SECONDS + 20))
lag=0
while ((SECONDS - start < seconds)); do
    if ((restart_at && SECONDS >= restart_at)); then
        restart_at=0
        kill -KILL "${game_pids[2]}" 2>/dev/null
        wait "${game_pids[2]}" 2>/dev/null
        started_again 2
    fi
    if ((depart_at && SECONDS >= depart_at)); then
        depart_at=0
        [ -n "${held[3]}" ] && release 3 "${held[3]}"
        for _ in 1 2 3 4 5; do alive 3 || break; key 3 Escape; sleep 1.5; done
        wait "${game_pids[3]}" 2>/dev/null
        game_pids[3]=""
        back_at=$((SECONDS + 20))
    fi
    if ((back_at && SECONDS >= back_at)); then
        back_at=0
        started_again 3
        lag=0
    fi
    for i in 1 2 3; do
        [ -n "${game_pids[$i]}" ] || continue
        alive "$i" || fail "copy $i exited during the soak"
        [ -n "${held[$i]}" ] && release "$i" "${held[$i]}"
        held[$i]=${keys[RANDOM % ${#keys[@]}]}
        hold "$i" "${held[$i]}"
        if [ -z "${rss_minute[$i]:-}" ] && ((SECONDS - started_at[i] >= warmup)); then
            rss_minute[$i]=$(rss "$i")
        fi
    done
    if ((SECONDS >= next_lag)) && [ -n "${game_pids[3]}" ]; then
        # Copy 3's lag wanders between 0 and 3 s, one key press at a time.
        if ((lag == 0 || (lag < 3 && RANDOM % 2))); then key 3 q; lag=$((lag + 1)); else key 3 e; lag=$((lag - 1)); fi
        next_lag=$((SECONDS + 10 + RANDOM % 20))
    fi
    sleep 0.$((2 + RANDOM % 5))
done
# A short run may end before copy 3 is back.
((back_at)) && started_again 3
for i in 1 2 3; do
    [ -n "${held[$i]}" ] && release "$i" "${held[$i]}"
    [ -n "${rss_minute[$i]:-}" ] || rss_minute[$i]=${rss_start[$i]}
done
sleep 15
compared=(1 2 3)
wait_settled || echo "(a copy's digest still changed after the quiet time)"
# The digest before the last: the last may be half written.
reference=$(last_digest 1 1)
[ -n "$reference" ] || fail "copy 1 printed no digest"
same=1
for i in 2 3; do
    read -r differ total worst what <<<"$(compare "$reference" "$(last_digest "$i" 1)")"
    echo "digest of copy $i against copy 1: $differ of $total numbers differ"
    ((differ == 0)) || { same=0; echo "    largest difference $worst, $what"; }
done
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
printf '%-6s %-7s %-10s %-10s %-10s %-6s %-6s %-9s %-8s %s\n' copy status "rss start" "rss warm" "rss end" peers warps received dropped \
    disagreements
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
    disagreements=$(grep -F "records dropped:" "$work/stdout$i.txt" | tail -n 1 | grep -o '[0-9]* disagreements' | cut -d' ' -f1)
    printf '%-6s %-7s %-10s %-10s %-10s %-6s %-6s %-9s %-8s %s\n' "$i" "$status" "${rss_start[$i]} kB" \
        "${rss_minute[$i]} kB" "${rss_end[$i]} kB" "$peers" "$(count "$work/output$i.txt" Warping)" \
        "$(count "$work/stdout$i.txt" "net trace:")" "${dropped:-?}" "${disagreements:-?}"
    [ "$status" -eq 0 ] || { echo "copy $i exited with status $status"; status_ok=0; }
    [ "$peers" -eq 2 ] || { echo "copy $i knows $peers peers, not 2"; status_ok=0; }
    [ -n "${rss_end[$i]}" ] && [ -n "${rss_minute[$i]}" ] || { echo "copy $i's memory could not be read"; status_ok=0; }
    awk -v e="${rss_end[$i]}" -v m="${rss_minute[$i]}" 'BEGIN { exit !(e <= m * 1.1) }' ||
        { echo "copy $i grew from ${rss_minute[$i]} kB to ${rss_end[$i]} kB"; status_ok=0; }
done
for i in 1 2 3; do
    cat "$work/earlier$i.txt" "$work/stdout$i.txt" 2>/dev/null | grep -F "state differs from" |
        awk -v i="$i" -v t0="$soak_began" '{ t = $1; $1 = ""; printf "    copy %s, second %d:%s\n", i, t - t0, $0 }'
done
((same)) || { echo "the copies' battlefields differ at the end"; status_ok=0; }
[ "$status_ok" = 1 ] || fail "the soak found faults"
[ -n "${FERROWIND_KEEP_LOGS:-}" ] || passed=1
echo "PASS"
