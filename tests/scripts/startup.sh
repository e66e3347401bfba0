#!/usr/bin/env bash
# Whole-program start-up checks on a copy of the default battlefield: the log
# file's path, Escape from the menu, and clear failures on broken data.
# Args: path to the ferrowind binary, repository root. Needs DISPLAY.
set -u
binary=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/lib/drive.sh"

fail() {
  echo "FAIL: $*"
  echo "  last lines the game wrote:"
  tail -n 5 "$work/stdout" "$work/stderr" 2>/dev/null | sed 's/^/    /'
  failures=$((failures + 1))
}

fresh_battlefield() {
  rm -rf "$work/field"
  cp -r "$root/assets" "$work/field"
  rm -f "$work/field/output.txt"
}

# Starts the game in the battlefield copy with the given arguments, waits for
# its loop, presses Escape in the menu and returns its exit code.
play_and_quit() {
  start_game "$binary" "$work/field" "$@" && press Escape
  wait_for_exit
}

# Runs the game where it is expected to stop at start-up; returns its exit code.
start_expecting_failure() {
  (cd "$work/field" && timeout 60 "${isolate[@]}" "$binary" >"$work/stdout" 2>"$work/stderr")
}

fresh_battlefield
play_and_quit
code=$?
[ "$code" -eq 0 ] || fail "Escape in the menu should exit with 0, got $code"
[ -f "$work/field/output.txt" ] || fail "without arguments the log should be output.txt"
[ -s "$work/field/output.txt" ] && fail "a game without late messages should leave an empty log"

fresh_battlefield
play_and_quit "$work/custom-log.txt"
[ -f "$work/custom-log.txt" ] || fail "the first argument should name the log file"
[ -f "$work/field/output.txt" ] && fail "with an argument, output.txt should not be written"

fresh_battlefield
play_and_quit "$work/no-such-dir/log.txt"
code=$?
[ "$code" -eq 0 ] || fail "an unopenable log should not stop the game (exit $code)"
grep -q "no-such-dir/log.txt" "$work/stderr" || fail "an unopenable log should be named on standard error"

fresh_battlefield
rm "$work/field/objects.lof"
start_expecting_failure
code=$?
[ "$code" -ne 0 ] || fail "a missing objects.lof should stop start-up"
grep -q "objects.lof" "$work/stderr" "$work/stdout" || fail "a missing objects.lof should be named"

fresh_battlefield
awk 'NR == 3 { $2 = "9999" } { print }' "$root/assets/objects.lof" >"$work/field/objects.lof"
start_expecting_failure
code=$?
[ "$code" -ne 0 ] || fail "a model number that names no model should stop start-up"
grep -q 'record 1: field "model"' "$work/stderr" || fail "the bad record and field should be named: $(cat "$work/stderr")"

fresh_battlefield
rm "$work/field/textures.lof"
start_expecting_failure
code=$?
[ "$code" -ne 0 ] || fail "a missing textures.lof should stop start-up"
grep -q "textures.lof" "$work/stdout" "$work/stderr" || fail "a missing textures.lof should be named"

fresh_battlefield
rm "$work/field/sounds.lof"
play_and_quit
code=$?
[ "$code" -eq 0 ] || fail "a missing sounds.lof should count as empty (exit $code)"
grep -q "sounds.lof" "$work/stdout" || fail "a missing sounds.lof should be mentioned"

if [ "$failures" -eq 0 ]; then
  echo "start-up checks passed"
fi
exit "$failures"
