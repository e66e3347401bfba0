#!/usr/bin/env bash
# A copy of the game plays with a peer that knows only the original wire rules
# (tests/peers/original_peer.py), each in a network namespace of its own:
#   - announcement: the copy answers the peer's one 601 with exactly one 602,
#     and a copy that starts while the peer listens sends exactly one 601;
#   - handshake and clock: the peer's 603 is answered with a 604 whose
#     syncTime is the copy's game clock;
#   - one tank per copy: the peer's table holds the copy once, the copy's
#     table (key z) holds the peer once;
#   - a game message each way: the peer's turn shows in the copy's state
#     digest (key g), the copy's turns (key j) reach the peer.
# Every check that fails prints a FAIL line of its own. Skipped (exit 77)
# where network namespaces cannot be made.
# Args: path to the ferrowind binary, repo root.
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
work=$(mktemp -d /tmp/fworiginal.XXXXXX)
export FERROWIND_NETNS="fwop$$"
source "$root/tests/scripts/lib/copies.sh"
need_copies_tools
command -v python3 >/dev/null 2>&1 || { echo "FAIL: python3 is missing (tools/setup.sh installs it)"; exit 1; }

failures=0
# check WHAT COMMAND...: reports WHAT as passed or failed by COMMAND; a failed
# check does not end the run, so that every check reports.
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

start_xvfb || fail "no Xvfb display could be started"
"$netns" up 3 >/dev/null || fail "the namespaces could not be made"
peer=$("$netns" address 1)
ours=$("$netns" address 2)
later=$("$netns" address 3)

# The peer lives in namespace 1 and takes its commands on file descriptor 3;
# should it die, a command fails instead of ending the script.
trap '' PIPE
peer_log="$work/peer.txt"
mkfifo "$work/peer.in"
"$netns" run 1 python3 -u "$root/tests/peers/original_peer.py" <"$work/peer.in" >"$peer_log" 2>&1 &
peer_pid=""
trap 'exec 3>&-; [ -n "$peer_pid" ] && kill "$peer_pid" 2>/dev/null; cleanup' EXIT
peer_pid=$!

# Asks the peer for its summary; prints it.
peer_summary() {
    rm -f "$work/summary"
    echo "summary $work/summary" >&3
    for _ in $(seq 100); do
        [ -f "$work/summary" ] && break
        sleep 0.1
    done
    cat "$work/summary" 2>/dev/null
}
# From a summary on standard input: how many records of type $1 came from $2.
received() { awk -v t="$1" -v a="$2" '$1 == "received" && $2 == t && $4 == a { n = $5 } END { print n + 0 }'; }
sent() { awk -v t="$1" -v a="$2" '$1 == "sent" && $2 == t && $4 == a { n = $5 } END { print n + 0 }'; }
entries() { awk -v a="$1" '$1 == "entry" && $3 == a { n++ } END { print n + 0 }'; }
# The object and the tank kind of the last entry for address $1.
entry_of() { awk -v a="$1" '$1 == "entry" && $3 == a { v = $4 " " $6 } END { print v }'; }
# Game records of type $1 from $2 that the peer took to be about another object than $3.
about_others() {
    awk -v t="$1" -v a="$2" -v o="$3" '$1 == "about" && $2 == t && $4 == a && $6 != o { n += $7 } END { print n + 0 }'
}
# Waits until $2 seconds after the wall-clock time $1.
sleep_past() { while (($(date +%s) < ${1%.*} + $2)); do sleep 0.5; done; }

# --- Our copy plays first; the peer joins once the copy's start-up traffic is over.
start_copy 2
hold 2 space
sleep 1
release 2 space
sleep_past "$(stamp_of "$work/stdout2.txt" " Attempting to connect ")" 8

exec 3>"$work/peer.in"
wait_for "$peer_log" "sent 601 to 255.255.255.255" 1 60 || fail "the peer did not start"
check "the peer took a 604 after its 603" wait_for "$peer_log" "time sync engaged" 1 20

# Timing probes (key z) give our copy's clock and, now and then, its table.
tables=$(count "$work/stdout2.txt" "connections are:")
hold 2 z
wait_for "$work/stdout2.txt" "connections are:" $((tables + 1)) 40
release 2 z
sleep 0.5

# --- A game message each way: the peer turns its tank, our copy turns its own.
echo "angles 0 37.5" >&3
wait_for "$work/stdout2.txt" "net trace: GMSG_CHANGE_ANGLES for object" 1 10
sleep 1
key 2 g
wait_for "$work/stdout2.txt" "digest" 1 10
hold 2 j
wait_for "$peer_log" "received 201 from $ours" 1 10
release 2 j

# Answers that come late or again count too.
sleep_past "$(stamp_of "$peer_log" "sent 601")" 8
summary=$(peer_summary)
[ -n "$summary" ] || fail "the peer wrote no summary"
n=$(received 602 "$ours" <<<"$summary")
check "our copy answered the peer's one 601 with $n 602 records (1 expected)" test "$n" -eq 1

n=$(received 604 "$ours" <<<"$summary")
requests=$(sent 603 "$ours" <<<"$summary")
check "our copy answered $requests 603 requests with $n 604 replies" test "$n" -ge 1 -a "$n" -eq "$requests"
offset=$(clock_offset 2)
read -r sync_time wall < <(awk '$1 == "sync" { print $2, $3; exit }' <<<"$summary")
if [ -n "$offset" ] && [ -n "${sync_time:-}" ]; then
    skew=$(awk -v s="$sync_time" -v w="$wall" -v o="$offset" 'BEGIN { printf "%d", s - w * 1000 - o }')
    check "the 604's syncTime is $skew ms off our copy's game clock (within 2 s expected)" test "${skew#-}" -lt 2000
else
    check "a clock to compare: our copy's probes give ${offset:-nothing}, the peer's 604 ${sync_time:-nothing}" false
fi

n=$(entries "$ours" <<<"$summary")
check "the peer's table holds $n entries for our copy (1 expected)" test "$n" -eq 1
read -r tank kind <<<"$(entry_of "$ours" <<<"$summary")"
check "our copy's connect record gives its tank kind ${kind:-none} (1 expected)" test "${kind:-}" = 1
# Entries for the peer in the last table our copy printed.
n=$(awk -v a="$peer" '/connections are:/ { n = 0; next } $3 == "from" && $4 == a { n++ } END { print n + 0 }' \
    "$work/stdout2.txt")
printed=$(($(count "$work/stdout2.txt" "connections are:") - tables))
check "our copy's table holds $n entries for the peer (1 expected; $printed tables printed)" test "$printed" -gt 0 -a "$n" -eq 1

angles=$(awk -v a="$peer" '$2 == "digest" && $4 == "tank" && $5 == a {
        for (i = 6; i < NF; i++) if ($i == "angles") v = $(i + 1) " " $(i + 2) } END { print v }' "$work/stdout2.txt")
check "our copy's digest shows the peer's tank at angles '${angles:-none}' (0.00 37.50 expected)" \
    test "$angles" = "0.00 37.50"
n=$(received 201 "$ours" <<<"$summary")
check "the peer received $n GMSG_CHANGE_ANGLES records from our copy's turn" test "$n" -ge 1
n=$(about_others 201 "$ours" "${tank:-none}" <<<"$summary")
check "$n of them are about another object than our copy's tank (0 expected)" test "$n" -eq 0

# --- A copy that starts while the peer listens announces itself once.
stop_copies
start_copy 3
sleep_past "$(stamp_of "$work/stdout3.txt" " Attempting to connect ")" 8
n=$(peer_summary | received 601 "$later")
check "a copy sent $n 601 announcements in the 8 s after its start (1 expected)" test "$n" -eq 1

((failures == 0)) || fail "$failures checks failed"
passed=1
echo "PASS"
