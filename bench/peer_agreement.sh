#!/usr/bin/env bash
# Do three copies end with the same battlefield? Each run starts three copies
# in network namespaces (tools/netns.sh), raises the lag of copy 3 to 2 s, and
# drives the three tanks by a seeded script of held keys (throttle, turns,
# shots) for a while; then all stop, and after a quiet time the last state
# digest of each copy (FERROWIND_DIGEST_EVERY) is compared with copy 1's.
# Prints per run the warps of each copy and the digest numbers that differ,
# with the largest difference; the last line counts the runs that agreed.
# Exit 0 when every run agreed, 1 when one did not, 77 when it cannot run here.
#
# Args: path to the ferrowind binary, repo root, [seconds of driving (60)],
#       [runs (3)], [first seed (1)], [quiet seconds (9)]
# What a run puts the copies through, by environment (seconds count from the
# start of the driving; each is off unless set):
#   AGREE_LOSS=P      P % of the frames between the copies are dropped
#   AGREE_LATE=S      copy 3 joins S seconds late (the lag goes to copy 2)
#   AGREE_RESTART=S   copy 2 is killed (SIGKILL) at S and started again
#   AGREE_DEPART=S    copy 3 quits at S (Esc twice); the others must then
#                     show no tank for it, and only they are compared
#   AGREE_CRASH=S     copy 2 is killed (SIGKILL) at S and not started again;
#                     the same holds for it. Its last second never reaches
#                     copy 1, only copy 3, and no compared copy may find
#                     its state differing from another's meanwhile
#   AGREE_ARGS="..."  command-line arguments for every copy (a preset, say)
# After each run every compared copy is closed, and the drop, loss and
# disagreement counts it prints as it closes are shown, with what copies 1
# and 2 sent and received per second of driving (datagrams and bytes, at
# their interfaces: before the bridge drops any, and after).
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
drive=${3:-60}
runs=${4:-3}
seed=${5:-1}
quiet=${6:-9}
work=$(mktemp -d /tmp/fwagree.XXXXXX)
export FERROWIND_NETNS="fwag$$"
# The network trace: a copy prints its table and counts as it closes only with it.
copy_env=(FERROWIND_DIGEST_EVERY=1 FERROWIND_NET_TRACE=1 ${FERROWIND_AGREEMENT_ENV:-})
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools
trap cleanup EXIT

late=${AGREE_LATE:-}
restart=${AGREE_RESTART:-}
depart=${AGREE_DEPART:-}
crash=${AGREE_CRASH:-}
gone_copy=""
[ -n "$depart" ] && gone_copy=3
[ -n "$crash" ] && gone_copy=2
lagged=3
[ -n "$late" ] && lagged=2
declare -a running=(0 0 0 0)
[ -n "${AGREE_ARGS:-}" ] && copy_args=("" "$AGREE_ARGS" "$AGREE_ARGS" "$AGREE_ARGS")

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
[ -n "${AGREE_LOSS:-}" ] && { "$netns" loss "$AGREE_LOSS" || fail "no loss could be set on the bridge"; }

# Starts copy $1 during the driving: it enters by a shot once it knows $2 peers.
join_copy() {
    start_copy "$1"
    wait_for "$work/stdout$1.txt" " tried to connect" "$2" 30 || fail "copy $1 did not connect on joining"
    hold "$1" space
    sleep 1
    release "$1" space
    running[$1]=1
}

# Events of the run at second $1 of the driving.
events_at() {
    local t=$1
    [ "$t" = "$late" ] && join_copy 3 2
    if [ "$t" = "$restart" ] || [ "$t" = "$crash" ]; then
        kill -KILL "${game_pids[2]}" 2>/dev/null
        wait "${game_pids[2]}" 2>/dev/null
        running[2]=0
        holding[2]=""
    fi
    [ "$t" = "$restart" ] && join_copy 2 1
    [ -n "$crash" ] && [ "$t" = $((crash - 1)) ] && "$netns" cut 2 1
    [ "$t" = "$crash" ] && "$netns" cut 2 1 off
    if [ "$t" = "$depart" ]; then
        running[3]=0
        [ -n "${holding[3]}" ] && release 3 "${holding[3]}"
        holding[3]=""
        key 3 Escape
        sleep 0.3
        key 3 Escape
    fi
}

keys=(i i i k j l space)
declare -a holding=("" "" "" "")

# One step of the script for copy $1: keep the key it holds or change to
# another (or none). A key is never pressed again right after its release:
# SDL would take the pair for key repeat and drop both.
step() {
    local i=$1 next
    next=${keys[RANDOM % ${#keys[@]}]}
    ((RANDOM % 4 == 0)) && next=""
    [ "$next" = "${holding[$i]}" ] && return
    [ -n "${holding[$i]}" ] && release "$i" "${holding[$i]}"
    [ -n "$next" ] && hold "$i" "$next"
    holding[$i]=$next
}

agreed=0
for run in $(seq 1 "$runs"); do
    RANDOM=$((seed + run - 1))
    rm -f "$work"/stdout*.txt "$work"/output*.txt
    running=(0 0 0 0)
    first=(1 2 3)
    [ -n "$late" ] && first=(1 2)
    for i in "${first[@]}"; do start_copy "$i"; running[$i]=1; done
    for i in "${first[@]}"; do
        wait_for "$work/stdout$i.txt" " tried to connect" $((${#first[@]} - 1)) 30 ||
            fail "copy $i did not connect the others"
    done
    key $lagged q
    wait_for "$work/stdout$lagged.txt" "Lag set to 1" 1 10 || fail "copy $lagged did not raise its lag"
    sleep 0.3
    key $lagged q
    wait_for "$work/stdout$lagged.txt" "Lag set to 2" 1 10 || fail "copy $lagged did not raise its lag"

    # Tanks start dead: a shot brings each in.
    for i in "${first[@]}"; do hold "$i" space; done
    sleep 2
    for i in "${first[@]}"; do release "$i" space; done
    start=$SECONDS
    declare -a before_driving=("" "$(traffic 1)" "$(traffic 2)")
    done_events=-1
    while ((SECONDS < start + drive)); do
        t=$((SECONDS - start))
        if ((t > done_events)); then
            for ((e = done_events + 1; e <= t; e++)); do events_at "$e"; done
            done_events=$t
        fi
        for i in 1 2 3; do ((running[i])) && step "$i"; done
        sleep 0.5
    done
    for i in 1 2 3; do
        [ -n "${holding[$i]}" ] && release "$i" "${holding[$i]}"
        holding[$i]=""
    done
    rates=""
    for i in 1 2; do
        read -r tp tb rp rb <<<"$(traffic "$i")"
        read -r tp0 tb0 rp0 rb0 <<<"${before_driving[$i]}"
        secs=$((SECONDS - start))
        rates+="$(printf '    copy %d per second: sent %d datagrams, %d bytes; received %d datagrams, %d bytes' "$i" \
            $(((tp - tp0) / secs)) $(((tb - tb0) / secs)) $(((rp - rp0) / secs)) $(((rb - rb0) / secs)))"$'\n'
    done
    sleep "$quiet"
    compared=()
    for i in 1 2 3; do
        ((running[i])) || continue
        alive "$i" || fail "copy $i died"
        compared+=("$i")
    done
    wait_settled || echo "(a copy's digest still changed after the quiet time)"

    # The digest before the last: the last may be half written.
    reference=$(last_digest 1 1)
    [ -n "$reference" ] || fail "copy 1 printed no digest"
    report="run $run (seed $((seed + run - 1)), ${drive} s):"
    for i in "${compared[@]}"; do report+=" copy $i warped $(count "$work/output$i.txt" Warping) times;"; done
    same=1
    if [ -n "$gone_copy" ]; then
        gone=$(grep -m1 -o 'address [0-9.]*' "$work/stdout$gone_copy.txt" | cut -d' ' -f2)
        if [ -z "$gone" ]; then
            same=0
            report+=" copy $gone_copy's address is unknown;"
        elif echo "$reference" | grep -qF "tank:$gone "; then
            same=0
            report+=" copy $gone_copy ($gone) left but its tank is still there;"
        fi
    fi
    for i in "${compared[@]:1}"; do
        read -r differ total worst what <<<"$(compare "$reference" "$(last_digest "$i" 1)")"
        report+=" copy $i vs 1: $differ of $total numbers differ"
        ((differ > 0)) && { same=0; report+=" (largest $worst, $what)"; }
        report+=";"
    done
    if [ -n "$crash" ]; then
        for i in "${compared[@]}"; do
            grep -q -F "state differs from" "$work/stdout$i.txt" && { same=0; report+=" copy $i found a state differing;"; }
        done
    fi
    echo "$report"
    ((same)) && agreed=$((agreed + 1))
    if ((same)); then
        echo "$reference" | sed 's/^/    /'
    else
        for i in "${compared[@]}"; do echo "--- copy $i:"; last_digest "$i" 1; done
    fi
    # The repair figures each copy prints as it closes.
    for i in "${compared[@]}"; do close_copy "$i"; done
    for i in "${compared[@]}"; do
        grep -F "records dropped:" "$work/stdout$i.txt" | tail -n 1 | sed "s/^[0-9.]* /    copy $i: /"
        grep -F "state differs from" "$work/stdout$i.txt" | sed "s/^[0-9.]* /    copy $i: /"
    done
    printf '%s' "$rates"
    stop_copies
    sleep 1
done
echo "identical digests in $agreed of $runs runs"
# FERROWIND_KEEP_LOGS keeps the copies' output for a look.
[ -n "${FERROWIND_KEEP_LOGS:-}" ] || passed=1
((agreed == runs))
