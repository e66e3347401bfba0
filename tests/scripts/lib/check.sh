# Failing, waiting and finding the game's window: shared by every test script
# (through drive.sh, copies.sh and the wine tests' common.bash).

# fail MESSAGE prints the message, then the last lines of each file named in
# `fail_logs` that exists, and ends the script with 1; a script that sets
# `fail_goes_on=1` goes on instead, and exits with the count in `failures`.
failures=0
fail_logs=()
fail() {
    echo "FAIL: $*"
    local log
    for log in "${fail_logs[@]}"; do
        [ -f "$log" ] || continue
        echo "--- last lines of $(basename "$log"):"
        tail -n 15 "$log"
    done
    failures=$((failures + 1))
    [ "${fail_goes_on:-0}" = 1 ] || exit 1
}

# Runs the command after $1 until it succeeds, five times a second, for $1
# seconds at most; returns 1 if it never did.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Lines of file $1 containing $2; 0 while the file does not exist yet.
count() {
    local n
    n=$(grep -c -F -- "$2" "$1" 2>/dev/null)
    echo "${n:-0}"
}

# The entries of the last connection table in file $1 (key z, or on closing),
# the peers that left among them ("departed: ADDRESS (tank N)").
table_entries() {
    awk '/connections are:/ { n = 0; block = 1; next }
         block && ($3 == "from" || $2 == "departed:") { n++; next } { block = 0 } END { print n + 0 }' "$1"
}

# File $1 holds at least $3 (default 1) lines containing $2.
has_lines() { [ "$(count "$1" "$2")" -ge "${3:-1}" ]; }

# Waits until file $1 holds at least $3 lines containing $2; $4 seconds at most.
wait_for() { wait_until "$4" has_lines "$1" "$2" "$3"; }

# The shown windows of the game on $DISPLAY, sorted.
game_windows() { xdotool search --onlyvisible --name '^Ferrowind$' 2>/dev/null | sort; }

# Prints the first game window that is not in the list $2 (from game_windows;
# empty for any), waiting $1 seconds at most for one; returns 1 if none came.
new_window() {
    local deadline=$((SECONDS + $1)) found
    while :; do
        found=$(comm -13 <(printf '%s\n' "$2") <(game_windows) | grep -m 1 .)
        [ -n "$found" ] && { echo "$found"; return 0; }
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
