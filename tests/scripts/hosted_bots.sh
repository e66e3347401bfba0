#!/usr/bin/env bash
# Two copies in network namespaces, copy 1 (named Host_1) hosting three computer tanks in
# the LAN game (--host-bots). Both players drive and fire for 60 s
# (HOSTED_SECONDS); after a quiet time (the computer tanks told to hold
# still, key b) the state digests of the two copies must be the same,
# computer tanks included (named bot<N>@<host>). Then
# copy 1 quits: on copy 2 its computer tanks leave with it.
# Args: path to the ferrowind binary, repo root.
set -u
bin=$(readlink -f "$1")
root=$(readlink -f "$2")
seconds=${HOSTED_SECONDS:-60}
work=$(mktemp -d /tmp/fwbots.XXXXXX)
export FERROWIND_NETNS="fwbt$$"
copy_env=(FERROWIND_DIGEST_EVERY=1)
declare -a copy_args=([1]="--bots 3 --host-bots --seed 5 --name Host_1")
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools
trap cleanup EXIT

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 2 >/dev/null || fail "the namespaces could not be made"

# The digest before the last of copy $1 (the last may be half written), one
# line per tank or power-up, its time left out.
digest() {
    awk '$2 == "digest" { if ($3 != t) { t = $3; blocks++ } line[blocks, ++n[blocks]] = $0 }
         END { b = blocks - 1; for (k = 1; k <= n[b]; k++) { c = split(line[b, k], f, " "); out = f[4] " " f[5];
               for (j = 6; j <= c; j++) out = out " " f[j]; print out } }' "$work/stdout$1.txt" | sort
}

for i in 1 2; do start_copy "$i"; done
for i in 1 2; do
    wait_for "$work/stdout$i.txt" " tried to connect" 1 30 || fail "copy $i did not meet the other"
done
for i in 1 2; do hold "$i" i; hold "$i" space; done
sleep "$seconds"
for i in 1 2; do release "$i" space; release "$i" i; done
# Quiet: the players let go, and the host's computer tanks hold still (b).
key 1 b
sleep 10
for i in 1 2; do alive "$i" || fail "copy $i died"; done
settled=0
for _ in $(seq 30); do
    one=$(digest 1)
    two=$(digest 2)
    [ -n "$one" ] && [ "$one" = "$two" ] && { settled=1; break; }
    sleep 1
done
echo "$one" | grep '^tank bot' | sed 's/^/    /'
[ "$(echo "$one" | grep -c '^tank bot[1-3]@')" -eq 3 ] || fail "copy 1's digest should name its three computer tanks"
if [ "$settled" -ne 1 ]; then
    diff <(echo "$one") <(echo "$two") | head -n 20
    fail "the two copies' digests differ"
fi
echo "digests identical, computer tanks included"
# Copy 2 knows copy 1's player by the name it sent, and its tanks by it.
grep -q "score Host_1 frags" "$work/stdout2.txt" || fail "copy 2 should know copy 1's player as Host_1"
grep -q "score BOT 1@Host_1 frags" "$work/stdout2.txt" || fail "copy 2 should list copy 1's computer tanks"

# The host leaves; its computer tanks leave with it on the other copy.
kill -KILL "${game_pids[1]}"
wait_for "$work/stdout2.txt" "left with its host" 3 30 || fail "copy 2 should see the three computer tanks leave"
sleep 2
left=$(digest 2 | grep -c '^tank bot[1-3]@.* active 0$')
[ "$left" -eq 3 ] || fail "copy 2's digest should show the three computer tanks gone, shows $left"
echo "the host's computer tanks left with it"
passed=1
