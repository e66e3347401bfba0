#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests also under
# AddressSanitizer and UndefinedBehaviorSanitizer), ending with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFERROWIND_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIND_WIN_BUNDLE="$PWD/build-win/bundle" >/dev/null
cmake --build build -j"$jobs"
# The Windows exe: its libraries (built once, then cached outside the
# repository), the cross build and the bundle the wine tests run.
./tools/windist.sh

# Tests that open a window run on a virtual display of their own.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 50); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$display_file")"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# The game keeps its objects and message data for the life of the program by
# design, so leak reports would only list those.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
(cd build-asan && ctest -L unit --output-on-failure)
echo "== All tests"
# Whole-program tests drive several copies under Xvfb on two cores: a test
# that misses a timing window gets two more tries.
cd build && ctest --output-on-failure --repeat until-pass:3
