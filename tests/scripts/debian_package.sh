#!/usr/bin/env bash
# The Debian package of this build: made with cpack, its dependencies the
# runtime libraries, unpacked into a scratch root with dpkg -x. The installed
# program, started from an unrelated folder with a fresh home, finds its
# battlefield beside itself, reaches its menu, writes its model cache and log
# into the home's XDG folders (nothing into its data) and quits on Escape.
# Args: path to the ferrowind binary (in its build folder), repository root. Needs DISPLAY.
set -u
binary=$(readlink -f "$1")
root=$2
build=$(dirname "$binary")
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'kill "${game_pid:-}" 2>/dev/null; rm -rf "$work"' EXIT
. "$root/tests/scripts/lib/drive.sh"

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not make the package"
  exit 1
fi
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl1.2debian libsdl-mixer1.2 libglew libdevil1c2 libexpat1; do
  [[ $depends == *"$library"* ]] || fail "the package should depend on $library: $depends"
done
[[ $depends == *-dev* ]] && fail "the package should need no development package: $depends"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr
data=$usr/share/games/ferrowind
for file in bin/ferrowind share/games/ferrowind/objects.lof share/games/ferrowind/textures/menu.png \
            share/applications/ferrowind.desktop share/icons/hicolor/64x64/apps/ferrowind.png \
            share/man/man6/ferrowind.6.gz; do
  [ -s "$usr/$file" ] || fail "the package should hold usr/$file"
done
grep -q '^Exec=ferrowind$' "$usr/share/applications/ferrowind.desktop" || fail "the desktop entry should start ferrowind"

mkdir "$work/home" "$work/elsewhere"
export HOME=$work/home
unset XDG_CACHE_HOME XDG_STATE_HOME
config_home=
if start_game "$usr/bin/ferrowind" "$work/elsewhere"; then
  press Escape
  wait_for_exit
  code=$?
  [ "$code" -eq 0 ] || fail "Escape in the menu should exit with 0, got $code"
else
  fail "the installed program did not reach its menu: $(tail -n 3 "$work/stdout" "$work/stderr")"
fi
[ -s "$HOME/.cache/ferrowind/vaf.blob" ] || fail "the model cache should be in ~/.cache/ferrowind"
[ -f "$HOME/.local/state/ferrowind/output.txt" ] || fail "the log should be ~/.local/state/ferrowind/output.txt"
grep -q '^renderer=.' "$HOME/.config/ferrowind/settings" 2>/dev/null ||
  fail "the settings, with the renderer the quality was chosen for, should be ~/.config/ferrowind/settings"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "nothing should be written where the game was started: $(ls "$work/elsewhere")"
ls "$data"/*.blob "$data/output.txt" >/dev/null 2>&1 && fail "nothing should be written into the data folder"

if [ "$failures" -eq 0 ]; then
  echo "Debian package checks passed"
fi
exit "$failures"
