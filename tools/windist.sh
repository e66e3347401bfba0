#!/usr/bin/env bash
# Builds the Windows exe and packs what a player needs:
#   build-win/bundle/              ferrowind.exe, the DLLs it needs, the default
#                                  battlefield with its 32-bit model cache, KEYS.txt
#   build-win/ferrowind-win32.zip  the same folder as one zip
# The libraries come from tools/windeps.sh (built once, then cached); the
# battlefield data from the native build in build/ (its asset tool writes
# assets/). FERROWIND_WIN_BUILD and FERROWIND_NATIVE_BUILD name other folders.
# With --exe-only it stops after the cross build: packing tells the DLLs that
# are part of Windows by wine's, so it needs wine32 installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${FERROWIND_WIN_BUILD:-$root/build-win}
native=${FERROWIND_NATIVE_BUILD:-$root/build}
jobs=$(nproc)
say() { echo "windist: $*"; }
exe_only=false
[ "${1:-}" = --exe-only ] && exe_only=true

prefix=$(tools/windeps.sh)

say "cross build in $out"
start=$SECONDS
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DFERROWIND_WINDEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out" -j"$jobs"
say "cross build took $((SECONDS - start)) s; ferrowind.exe is $(stat -c %s "$out/ferrowind.exe") bytes"
$exe_only && exit 0

if [ ! -f assets/.generated ]; then
    cmake -S . -B "$native" >/dev/null
    cmake --build "$native" -j"$jobs" --target assets
fi

bundle=$out/bundle
rm -rf "$bundle"
mkdir -p "$bundle"
cp "$out/ferrowind.exe" "$bundle/"

# Copies every DLL of the prefix that the file $1 needs, and theirs in turn;
# anything else it needs must be part of Windows itself.
system_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
copy_dlls() {
    local dll found
    for dll in $(i686-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }'); do
        [ -e "$bundle/$dll" ] && continue
        found=$(find "$prefix/bin" -maxdepth 1 -iname "$dll" | head -n1)
        if [ -n "$found" ]; then
            cp "$found" "$bundle/"
            copy_dlls "$found"
        elif [ -z "$(find "$system_dlls" -maxdepth 1 -iname "$dll" | head -n1)" ]; then
            echo "windist: $(basename "$1") needs $dll, which is neither built nor part of Windows" >&2
            exit 1
        fi
    done
}
copy_dlls "$bundle/ferrowind.exe"

# The battlefield without its COLLADA models: this build reads the cache.
cp -r assets/textures assets/shaders assets/sounds "$bundle/"
cp assets/textures.lof assets/shaders.lof assets/objects.lof assets/sounds.lof "$bundle/"
cp tools/windows-keys.txt "$bundle/KEYS.txt"

# The model cache in the 32-bit layout, written from the COLLADA models by
# the native build's cache tool.
cmake --build "$native" -j"$jobs" --target ferrowind_modelcache
"$native/tools/ferrowind_modelcache" assets "$bundle" 32

rm -f "$out/ferrowind-win32.zip"
(cd "$bundle" && zip -qr "$out/ferrowind-win32.zip" .)
say "$out/ferrowind-win32.zip: $(stat -c %s "$out/ferrowind-win32.zip") bytes"
