# Shared by the wine tests: arguments, a fresh wine prefix, starting and
# stopping ferrowind.exe in a copy of the Windows bundle.
# Args of every wine test: bundle folder (tools/windist.sh), repository root,
# a folder of the build to work in. Needs DISPLAY.
set -u
bundle=$1
root=$(readlink -f "$2")
scratch=$3

source "$root/tests/scripts/lib/check.sh"

[ -n "$bundle" ] || { echo "SKIP: no Windows bundle configured (FERROWIND_WIN_BUNDLE)"; exit 77; }
[ -f "$bundle/ferrowind.exe" ] || { echo "FAIL: no ferrowind.exe in $bundle (tools/windist.sh makes it)"; exit 1; }
# The 32-bit model cache files come from the native build's cache tool.
[ -f "$bundle/oaf.blob" ] || { echo "SKIP: the bundle has no 32-bit model cache files"; exit 77; }
for tool in wine wineserver xdotool import compare; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (tools/setup.sh installs it)"; exit 1; }
done

mkdir -p "$scratch"
work=$(mktemp -d "$scratch/wine.XXXXXX")
fail_logs=("$work/stdout")
export WINEPREFIX=$work/prefix WINEDEBUG=-all SDL_AUDIODRIVER=dummy
# No .NET or HTML engine: their installers would ask to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
exe_pid=""

stop_wine() {
    [ -n "$exe_pid" ] && kill "$exe_pid" 2>/dev/null
    wineserver -k 2>/dev/null
}

# Makes a fresh wine prefix and starts ferrowind.exe in a copy of the bundle,
# both through the command words given (a namespace to run in), in the
# background; sets exe_pid. Winsock's sockets are made by the wine server,
# so the server must live in the exe's network namespace: it is started here,
# kept up for the whole test (its session, the desktop among it, is then
# ready when the exe opens its window) and stopped by stop_wine.
start_exe() {
    mkdir -p "$WINEPREFIX"
    cp -r "$bundle" "$work/field"
    "$@" sh -c 'wineserver -p && wineboot --init >"$1/wineboot.log" 2>&1 && cd "$1/field" && exec wine ferrowind.exe' \
        sh "$work" >"$work/stdout" 2>"$work/stderr" &
    exe_pid=$!
}

# Waits up to $1 seconds for the exe to end, running the command after it
# (if any) every few seconds meanwhile; fails unless it ended with 0.
expect_clean_exit() {
    local deadline=$((SECONDS + $1)) code
    shift
    while kill -0 "$exe_pid" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "ferrowind.exe did not end"
        "$@"
        sleep 2
    done
    wait "$exe_pid"
    code=$?
    exe_pid=""
    [ "$code" -eq 0 ] || fail "ferrowind.exe should end with 0, got $code"
}

# Waits until file $1 has a line containing $2; $3 seconds at most, and
# no longer than ferrowind.exe runs.
wait_for_line() {
    wait_until "$3" line_or_exe_ended "$1" "$2" && has_lines "$1" "$2"
}
line_or_exe_ended() {
    has_lines "$1" "$2" || { [ -n "$exe_pid" ] && ! kill -0 "$exe_pid" 2>/dev/null; }
}
