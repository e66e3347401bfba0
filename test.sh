#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests also under
# AddressSanitizer and UndefinedBehaviorSanitizer, and together with the
# three-copy game under ThreadSanitizer), ending with CTest's summaries.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh
jobs=$(nproc)
# wine32's loader runs the Windows exe; where setup could not install it (it
# says why), the exe is cross-built but not packed, and the wine tests skip.
win_bundle=""
[ -x /usr/lib/wine/wine ] && win_bundle="$PWD/build-win/bundle"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFERROWIND_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIND_TSAN=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target unit_tests ferrowind
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIND_WIN_BUNDLE="$win_bundle" >/dev/null
cmake --build build -j"$jobs"
# The Windows exe: its libraries (built once, then cached outside the
# repository), the cross build and the bundle the wine tests run.
if [ -n "$win_bundle" ]; then
  ./tools/windist.sh
else
  ./tools/windist.sh --exe-only
fi

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
failed=0

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# The game keeps its objects and message data for the life of the program by
# design, so leak reports would only list those.
(cd build-asan && ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
  ctest -L unit --output-on-failure) || failed=1

echo "== Unit tests and the three-copy game under ThreadSanitizer"
# Every report is written to a file as well, so that a retried whole-program
# test cannot hide one. Mesa's software renderer runs on the drawing thread
# alone: its own worker threads synchronise in ways ThreadSanitizer cannot
# see into, and are not this program's code.
tsan_reports="$PWD/build-tsan/tsan-report"
rm -f "$tsan_reports".*
(cd build-tsan && export TSAN_OPTIONS="halt_on_error=1 log_path=$tsan_reports" LP_NUM_THREADS=0 &&
  ctest -L unit --output-on-failure && ctest -L peers --output-on-failure --repeat until-pass:3) || failed=1
if compgen -G "$tsan_reports.*" >/dev/null; then
  cat "$tsan_reports".*
  echo "ThreadSanitizer reported the races above"
  failed=1
fi

echo "== All tests"
cd build
ctest -LE 'peers|fuzz' --output-on-failure || failed=1
# Tests that drive several copies under Xvfb on two busy cores may miss a
# timing window: they get two more tries. Unit, drawing and fuzz tests never do.
ctest -L peers --output-on-failure --repeat until-pass:3 || failed=1
ctest -L fuzz --output-on-failure || failed=1
exit $failed
