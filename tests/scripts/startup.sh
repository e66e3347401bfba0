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
fail_logs=("$work/stdout" "$work/stderr")

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

# Runs the game in the battlefield copy, where it must stop at start-up with
# a code other than 0 and name what stopped it ($2, a fixed string) in the
# streams that follow (stderr, stdout; both if none is given); $1 says what
# was broken.
expect_stop() {
  local broken=$1 named=$2 streams=("${@:3}")
  [ ${#streams[@]} -gt 0 ] || streams=(stderr stdout)
  (cd "$work/field" && timeout 60 "${isolate[@]}" "$binary" >"$work/stdout" 2>"$work/stderr")
  [ $? -ne 0 ] || fail "$broken should stop start-up"
  (cd "$work" && grep -qF -- "$named" "${streams[@]}") || fail "$broken should be named ($named): $(cat "$work/stderr")"
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
expect_stop "a missing objects.lof" objects.lof

fresh_battlefield
awk 'NR == 3 { $2 = "9999" } { print }' "$root/assets/objects.lof" >"$work/field/objects.lof"
expect_stop "a model number that names no model" 'record 1: field "model"' stderr

fresh_battlefield
rm "$work/field/textures.lof"
expect_stop "a missing textures.lof" textures.lof

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
