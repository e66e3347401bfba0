#!/usr/bin/env bash
# Installs what is missing, builds, and plays on the default battlefield in assets/.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd assets
exec ../build/ferrowind "$@"
