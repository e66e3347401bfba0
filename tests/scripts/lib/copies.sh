# Helpers for scripts that run several copies of the game, one per network
# namespace (tools/netns.sh), on one Xvfb display. Source it after setting
# `work` (a scratch folder), `bin` (the game) and `root` (the repository).
# Copy I writes its standard output to $work/stdoutI.txt (each line stamped
# with the wall-clock time) and its log to $work/outputI.txt. `copy_env` (an
# array of VAR=value words, set before sourcing) goes into every copy's
# environment; by default the network trace. `copy_args` (set before
# sourcing, indexed by copy) holds more arguments for one copy's program.

source "$root/tests/scripts/lib/check.sh"
fail_logs=("$work/stdout1.txt" "$work/stdout2.txt" "$work/stdout3.txt")
netns="$root/tools/netns.sh"
declare -a game_pids=() stamp_pids=() windows=()
xvfb_pid=""
display=""
# Set to 1 by a script that passed: its scratch folder is then removed.
passed=0
[ -n "${copy_env+set}" ] || copy_env=(FERROWIND_NET_TRACE=1)
declare -p copy_args >/dev/null 2>&1 || declare -a copy_args=()

# Ends everything the script started; keeps the logs of a failed run.
cleanup() {
    stop_copies
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    "$netns" down 2>/dev/null
    if [ "$passed" = 1 ]; then
        rm -rf "$work"
    else
        echo "(logs kept in $work)"
    fi
}
trap cleanup EXIT

# Stops every copy (the namespaces and the display stay for the next ones).
stop_copies() {
    local pid
    for pid in "${game_pids[@]}" "${stamp_pids[@]}"; do
        [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    done
    for pid in "${game_pids[@]}" "${stamp_pids[@]}"; do
        [ -n "$pid" ] && wait "$pid" 2>/dev/null
    done
    game_pids=()
    stamp_pids=()
    windows=()
}

# Closes copy $1 as a player does: Escape opens the menu, a second Escape
# quits, and the copy prints its connection table and its drop, loss and
# disagreement counts as it closes. On a slow frame SDL may take two presses
# for key repeat and drop them: it presses until the copy is gone.
close_copy() {
    local _
    for _ in $(seq 10); do
        alive "$1" || break
        key "$1" Escape
        sleep 1.5
    done
}

stamp() {
    local line
    while IFS= read -r line; do
        printf '%s %s\n' "$EPOCHREALTIME" "$line"
    done
}

alive() { kill -0 "${game_pids[$1]}" 2>/dev/null; }

start_xvfb() {
    local n
    for n in $(seq 140 260); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            # Two scripts starting at once may both try this number: the
            # display is ours only if the lock names our server.
            [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$xvfb_pid" ] &&
                { display=":$n"; export DISPLAY=$display; return 0; }
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    return 1
}

# Keys go to one copy's window (there is no window manager to give focus).
key() { xdotool key --window "${windows[$1]}" "$2" 2>/dev/null; }
hold() { xdotool keydown --window "${windows[$1]}" "$2" 2>/dev/null; }
release() { xdotool keyup --window "${windows[$1]}" "$2" 2>/dev/null; }

# Starts copy $1 in its namespace, in a folder of its own (the game writes its
# model cache files into its working folder), without waiting for it.
launch_copy() {
    local i=$1 dir="$work/copy$1"
    if [ ! -d "$dir" ]; then
        mkdir -p "$dir"
        cp -rs "$root/assets/." "$dir/"
        find "$dir" -name '*.blob' -type l -delete
    fi
    rm -f "$work/fifo$i"
    mkfifo "$work/fifo$i"
    stamp <"$work/fifo$i" >"$work/stdout$i.txt" &
    stamp_pids[$i]=$!
    (cd "$dir" && exec "$netns" run "$i" env DISPLAY="$display" SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$dir/config" "${copy_env[@]}" \
        stdbuf -oL -eL "$bin" "$work/output$i.txt" ${copy_args[$i]:-}) >"$work/fifo$i" 2>&1 &
    game_pids[$i]=$!
}

# Starts copy $1 and waits for its window and its main loop; Space then
# leaves the menu and starts playing.
start_copy() {
    local i=$1 before
    before=$(game_windows)
    launch_copy "$i"
    # The main loop announces the tank first thing.
    wait_for "$work/stdout$i.txt" " Attempting to connect " 1 180 || fail "copy $i did not reach its main loop"
    alive "$i" || fail "copy $i exited"
    windows[$i]=$(new_window 5 "$before") || fail "copy $i has no window"
    key "$i" space
}

# The wall-clock time (s) of the first line of file $1 containing $2.
stamp_of() { grep -m 1 -F -- "$2" "$1" 2>/dev/null | cut -d' ' -f1; }

# The median of (game clock - wall clock) in ms over the timing probe lines
# (key z: "message time" "game time") that copy $1 printed.
clock_offset() {
    awk 'NF == 3 && $2 ~ /^[0-9]+$/ && $3 ~ /^[0-9]+$/ { printf "%.0f\n", $3 - $1 * 1000 }' "$work/stdout$1.txt" |
        sort -n | awk '{ v[NR] = $1 } END { if (NR) printf "%.0f\n", v[int((NR + 1) / 2)] }'
}

# What copy $1's interface has sent and received so far: packets and bytes,
# "sent-packets sent-bytes received-packets received-bytes".
traffic() {
    local f
    for f in tx_packets tx_bytes rx_packets rx_bytes; do
        "$netns" run "$1" cat "/sys/class/net/eth0/statistics/$f"
    done | tr '\n' ' '
}

# Checks the tools a run needs; exits 77 (skipped) where namespaces cannot be made.
need_copies_tools() {
    if ! "$netns" check; then
        echo "SKIP: network namespaces are not available here (root needed)"
        exit 77
    fi
    local tool
    for tool in Xvfb xdotool stdbuf; do
        command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (tools/setup.sh installs it)"; exit 1; }
    done
    [ -n "${EPOCHREALTIME:-}" ] || { echo "FAIL: bash 5 or later is needed"; exit 1; }
}

# A digest copy $1 printed, the last one or with $2 = 1 the one before: one
# line per tank ("tank:ADDRESS") or power-up ("powerup:INDEX") with its numbers.
last_digest() {
    awk -v back="${2:-0}" '
        $2 == "digest" { if ($3 != t) { t = $3; blocks++ } line[blocks, ++n[blocks]] = $0 }
        END { b = blocks - back; for (k = 1; k <= n[b]; k++) { c = split(line[b, k], f, " "); out = f[4] ":" f[5];
              for (j = 6; j <= c; j++) if (f[j] ~ /^-?[0-9.]+$/) out = out " " f[j]; print out } }' \
        "$work/stdout$1.txt"
}

# Waits (30 s at most) until every copy of the array `compared` printed the
# same digest twice running: a copy on a loaded machine may still be
# replaying its last late messages.
wait_settled() {
    local deadline=$((SECONDS + 30)) i settled
    while ((SECONDS < deadline)); do
        settled=1
        for i in "${compared[@]}"; do
            [ "$(last_digest "$i")" = "$(last_digest "$i" 1)" ] || settled=0
        done
        ((settled)) && return 0
        sleep 1
    done
    return 1
}

# Compares two digests: "<numbers differing> <numbers compared> <largest difference> <where>".
# A tank or power-up that one side lacks counts as all its numbers differing.
compare() {
    awk 'NR == FNR { a[$1] = $0; next } { b[$1] = $0 }
         END { for (k in a) keys[k] = 1; for (k in b) keys[k] = 1;
               for (k in keys) { na = split(a[k], x, " "); nb = split(b[k], y, " "); n = na > nb ? na : nb;
                   for (j = 2; j <= n; j++) { total++;
                       if (!(k in a) || !(k in b) || x[j] != y[j]) { differ++;
                           d = x[j] - y[j]; if (d < 0) d = -d; if (d > worst) { worst = d; what = k } } } }
               printf "%d %d %.3f %s\n", differ, total, worst, what ? what : "-" }' <(echo "$1") <(echo "$2")
}
