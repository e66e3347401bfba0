#!/usr/bin/env bash
# A new player's first minutes with the whole program under Xvfb:
#   - --help names every environment variable the program reads, --version
#     the project's version; both exit 0;
#   - the minimap corner shows the battlefield before the first spawn, and the
#     tank's marker once it lives;
#   - the chase camera shows the tank in the lower middle of the window, the
#     arrow keys do not move it, c hands the camera to them and c takes it back;
#   - f switches the counter from the frame rate to the frags and back.
# Args: path to the ferrowind binary, repository root. Needs DISPLAY.
set -u
binary=$(readlink -f "$1")
root=$2
work=$(mktemp -d)
trap 'kill "${game_pid:-}" 2>/dev/null; rm -rf "$work"' EXIT
. "$root/tests/scripts/lib/drive.sh"

# Window areas (WxH+X+Y): where the chase camera puts the tank, the far
# field (horizon, wall, trees: where the camera stands shows there, while a
# power-up that drops beside the tank does not), the view below the top
# panel, the minimap corner, and two columns of the counter: the last digit
# of a number above 0, and the lone 0.
tank_area=300x130+362+630
far_area=1024x200+0+300
view_area=1024x560+0+200
minimap_area=200x170+812+10
units_column=9x36+195+147
zero_column=9x36+206+147

lit() { [ "$(spread "$1" "$2")" -gt 60 ]; }
unlit() { ! lit "$@"; }

# At most $4 pixels of area $3 differ between shots $1 and $2.
alike() { [ "$(differing "$1" "$2" "$3")" -le "$4" ]; }
unlike() { ! alike "$@"; }

# Shots $1 and $2 show area $3 from the same camera. A camera that moves, even
# a little, changes every column of the far field; the turning radar dish and
# its shadow change a patch of it, thousands of pixels when the tank stands
# near its tower.
same_view() { [ "$(differing_columns "$1" "$2" "$3")" -le 50 ]; }

"$binary" --help >"$work/help" || fail "--help should exit 0"
# The variables the program's own code reads: getenv("NAME"), and NAME("...")
# for every function that hands its parameter to getenv. A getenv of anything
# else cannot be followed and fails, rather than hide a variable. HOME is
# named as ~ in the defaults.
sources=$(cd "$root" && find . -path ./tests -prune -o -path ./bench -prune -o -path ./tools -prune -o \
           -path './build*' -prune -o -path ./.git -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
variables=$(cd "$root" && grep -ohE 'getenv\("[A-Za-z_0-9]+"\)' $sources | sed -E 's/.*"(.*)".*/\1/')
while IFS=: read -r file line; do
  parameter=$(sed -n "${line}p" "$root/$file" | sed -nE 's/.*getenv\(([A-Za-z_][A-Za-z_0-9]*)\).*/\1/p')
  wrapper=$(head -n "$line" "$root/$file" | grep -E "^[A-Za-z].*[ *&]([A-Za-z_][A-Za-z_0-9]*)\([^()]*\b${parameter:-?}\)" |
            tail -n 1 | sed -nE 's/.*[ *&]([A-Za-z_][A-Za-z_0-9]*)\(.*/\1/p')
  if [ -z "$parameter" ] || [ -z "$wrapper" ]; then
    fail "--help check: cannot tell which variable $file:$line reads"
    continue
  fi
  found=$(cd "$root" && grep -ohE "\b$wrapper\(\"[A-Za-z_0-9]+\"\)" $sources | sed -E 's/.*"(.*)".*/\1/')
  [ -n "$found" ] || fail "--help check: no call of $wrapper (which reads the environment) names a variable"
  variables+=$'\n'"$found"
done < <(cd "$root" && grep -nE 'getenv\(' $sources | grep -v -E 'getenv\("' | cut -d: -f1,2)
variables=$(echo "$variables" | grep . | sort -u)
[ "$(echo "$variables" | wc -l)" -ge 5 ] || fail "--help check: only found $(echo $variables)"
for variable in $variables; do
  if [ "$variable" = HOME ]; then
    grep -q '~/' "$work/help" || fail "--help should name HOME (as ~)"
  else
    grep -qw -- "$variable" "$work/help" || fail "--help should name $variable"
  fi
done
version=$(sed -nE 's/^project\(Ferrowind VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
[ "$("$binary" --version)" = "ferrowind $version" ] || fail "--version should print ferrowind $version"

cp -r "$root/assets" "$work/field"
rm -f "$work/field/output.txt"
# The preset this renderer gets, chosen on the command line: the frame-rate
# guard then stays off, and no quality step changes the picture between two
# views that are compared.
if ! start_game "$binary" "$work/field" --preset low; then
  fail "the game did not reach its menu"
  tail -n 5 "$work/stdout" "$work/stderr"
  exit 1
fi

press space
shot unspawned 2
[ "$(spread unspawned "$minimap_area")" -gt 10 ] || fail "the minimap should show the battlefield before the first spawn"

# Space held until the tank lives; then the shot's flash is let fade.
spawn 30 || fail "the minimap should mark the living tank"
shot chase 3
hold Up 3
shot chase-up
same_view chase chase-up "$far_area" || fail "the arrow keys should not move the chase camera"

press c
xdotool keydown --window "$window" Up 2>/dev/null
shot_until free 30 unlike chase free "$view_area" 100000 || fail "after c the arrow keys should fly the free camera"
xdotool keyup --window "$window" Up 2>/dev/null
press c
shot_until chase-again 30 same_view chase chase-again "$far_area" ||
  fail "a second c should put the camera behind the tank again"

# The same view once the tank and its death effect are gone: the tank was
# what filled the lower middle. The view is taken once it holds still.
press r
sleep 3
for _ in $(seq 10); do
  shot tank-gone 0
  shot tank-gone-later 1.5
  alike tank-gone tank-gone-later "$tank_area" 1200 && break
done
unlike chase tank-gone "$tank_area" 8000 || fail "the chase camera should show the tank in the lower middle"

# The frame rate is shown from the start; a frame slower than a second shows
# 0, so a number above 0 is waited for. Frags start at 0: the lone 0 and no
# units digit.
shot_until frame-rate 120 lit frame-rate "$units_column" ||
  fail "the counter should show a frame rate above 0 (or every frame took over a second)"
press f
shot_until frags 30 unlit frags "$units_column" || fail "after f the frame rate should be gone"
lit frags "$zero_column" || fail "after f the counter should show 0 frags"
press f
shot_until frame-rate-again 60 lit frame-rate-again "$units_column" || fail "a second f should bring the frame rate back"

# Escape opens the menu (the battlefield gives way to it), Escape there quits.
press Escape
shot_until menu 30 unlike tank-gone menu "$view_area" 100000 || fail "Escape should open the menu"
press Escape
wait_for_exit
code=$?
[ "$code" -eq 0 ] || fail "Escape twice should end the game with 0, got $code"

if [ "$failures" -eq 0 ]; then
  echo "first minutes passed"
fi
exit "$failures"
