# Helpers for scripts that run several copies of the game, one per network
# namespace (tools/netns.sh), on one Xvfb display. Source it after setting
# `work` (a scratch folder), `bin` (the game) and `root` (the repository).
# Copy I writes its standard output to $work/stdoutI.txt (each line stamped
# with the wall-clock time) and its log to $work/outputI.txt. `copy_env` (an
# array of VAR=value words, set before sourcing) goes into every copy's
# environment; by default the network trace.

netns="$root/tools/netns.sh"
declare -a game_pids=() stamp_pids=() windows=()
xvfb_pid=""
display=""
# Set to 1 by a script that passed: its scratch folder is then removed.
passed=0
[ -n "${copy_env+set}" ] || copy_env=(FERROWIND_NET_TRACE=1)

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

fail() {
    echo "FAIL: $*"
    local i
    for i in 1 2 3; do
        [ -f "$work/stdout$i.txt" ] || continue
        echo "--- copy $i, last lines of standard output:"
        tail -n 15 "$work/stdout$i.txt"
    done
    exit 1
}

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

stamp() {
    local line
    while IFS= read -r line; do
        printf '%s %s\n' "$EPOCHREALTIME" "$line"
    done
}

# Lines of file $1 containing $2; 0 while the file does not exist yet.
count() {
    local n
    n=$(grep -c -F -- "$2" "$1" 2>/dev/null)
    echo "${n:-0}"
}

alive() { kill -0 "${game_pids[$1]}" 2>/dev/null; }

# Waits until file $1 holds at least $3 lines containing $2; $4 seconds at most.
wait_for() {
    local deadline=$((SECONDS + $4))
    while ((SECONDS < deadline)); do
        [ "$(count "$1" "$2")" -ge "$3" ] && return 0
        sleep 0.2
    done
    return 1
}

start_xvfb() {
    local n
    for n in $(seq 140 260); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { display=":$n"; return 0; }
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    return 1
}

window_list() { DISPLAY=$display xdotool search --name '^Ferrowind$' 2>/dev/null | sort; }

# Keys go to one copy's window (there is no window manager to give focus).
key() { DISPLAY=$display xdotool key --window "${windows[$1]}" "$2" 2>/dev/null; }
hold() { DISPLAY=$display xdotool keydown --window "${windows[$1]}" "$2" 2>/dev/null; }
release() { DISPLAY=$display xdotool keyup --window "${windows[$1]}" "$2" 2>/dev/null; }

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
        stdbuf -oL -eL "$bin" "$work/output$i.txt") >"$work/fifo$i" 2>&1 &
    game_pids[$i]=$!
}

# Finds the window of copy $1, which must be the one new window since the
# list $2 was taken.
find_window() {
    local after
    for _ in $(seq 50); do
        after=$(comm -13 <(echo "$2") <(window_list))
        [ -n "$after" ] && break
        sleep 0.1
    done
    [ -n "$after" ] || return 1
    windows[$1]=$(echo "$after" | head -n 1)
}

# Starts copy $1 and waits for its window and its main loop; Space then
# leaves the menu and starts playing.
start_copy() {
    local i=$1 before
    before=$(window_list)
    launch_copy "$i"
    # The main loop announces the tank first thing.
    wait_for "$work/stdout$i.txt" " Attempting to connect " 1 180 || fail "copy $i did not reach its main loop"
    alive "$i" || fail "copy $i exited"
    find_window "$i" "$before" || fail "copy $i has no window"
    key "$i" space
}

# The wall-clock time (s) of the first line of file $1 containing $2.
stamp_of() { grep -m 1 -F -- "$2" "$1" 2>/dev/null | cut -d' ' -f1; }

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
