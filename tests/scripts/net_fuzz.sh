#!/usr/bin/env bash
# A short fuzzing run (about 60 s) of the network receive path, under
# AddressSanitizer and UndefinedBehaviorSanitizer: arbitrary datagrams go
# through the length and sender checks, the connection and clock handshake and
# the receive queue into a game's queue and a message pass.
# The fuzz target is built with clang in a build folder of its own beside the
# one that runs this test; its corpus grows there from run to run.
# Args: path to the ferrowind binary, repo root.
set -u

bin=$(readlink -f "$1")
root=$(readlink -f "$2")
seconds=${FERROWIND_FUZZ_SECONDS:-60}

if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
    echo "SKIP: clang is not installed; the fuzz target needs it"
    exit 77
fi

build="$(dirname "$bin")/fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DFERROWIND_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$build.configure.log" 2>&1 ||
        { cat "$build.configure.log"; echo "FAIL: the fuzz build could not be configured"; exit 1; }
fi
cmake --build "$build" --target net_receive_fuzz -j2 >"$build/build.log" 2>&1 ||
    { tail -n 30 "$build/build.log"; echo "FAIL: the fuzz target did not build"; exit 1; }

corpus="$build/net_receive_corpus"
artifacts=$(mktemp -d /tmp/fwfuzz.XXXXXX)
mkdir -p "$corpus"
# Leaks are not checked: game messages' data arrays are never released by design.
ASAN_OPTIONS=detect_leaks=0 "$build/tests/net_receive_fuzz" -max_total_time="$seconds" -timeout=10 -detect_leaks=0 -close_fd_mask=1 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$artifacts/fuzz.log" 2>&1
status=$?
grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)" "$artifacts/fuzz.log"
if [ "$status" -ne 0 ]; then
    grep -v -E "^#[0-9]+" "$artifacts/fuzz.log" | tail -n 60
    saved=$(find "$artifacts" -type f ! -name fuzz.log | sort)
    echo "FAIL: the fuzzer found a fault; log kept in $artifacts/fuzz.log"
    [ -n "$saved" ] && echo "saved input: $saved" ||
        echo "no input was saved (the run ended with status $status before a crash)"
    exit 1
fi
rm -rf "$artifacts"
echo "PASS"
