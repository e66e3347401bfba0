#!/usr/bin/env bash
# Builds the Windows (mingw-w64 i686) libraries the Windows build links
# against: zlib, libpng, SDL 1.2, SDL_mixer 1.2 (WAV only), GLEW and DevIL
# with ILU and ILUT, from Debian's source packages, into a prefix outside the
# repository. Prints the prefix on standard output; progress goes to
# standard error.
#
# The prefix is FERROWIND_WINDEPS, else ~/.cache/ferrowind-windeps. A run that
# finds the prefix complete for this version of the script does nothing. The
# sources come through a private apt configuration (its own source list and
# state next to the prefix); the machine's own apt setup is left alone.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
prefix=${FERROWIND_WINDEPS:-${HOME:-/root}/.cache/ferrowind-windeps}
host=i686-w64-mingw32
recipe=$(sha256sum "$0" | cut -c1-16)
stamp=$prefix/.complete

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
    echo "$prefix"
    exit 0
fi

work=$prefix.work
jobs=$(nproc)
say() { echo "windeps: $*" >&2; }

# Runs one step with its output in a log; shows the log's end if it fails.
step() {
    local name=$1
    shift
    local log=$work/logs/$name.log
    say "$name"
    set +e
    (set -e; "$@") >"$log" 2>&1
    local status=$?
    set -e
    if [ $status -ne 0 ]; then
        tail -n 40 "$log" >&2
        say "$name failed (whole log: $log)"
        exit 1
    fi
}

fetch_sources() {
    local apt=$work/apt
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    # DevIL's 1.7 tarball is no longer served; 1.8's is, from unstable.
    cat >"$apt/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian unstable main
EOF
    local apt_options=(
        -o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/none"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
        -o "APT::Sandbox::User=root" -q)
    apt-get "${apt_options[@]}" update
    cd "$work/src"
    apt-get "${apt_options[@]}" source \
        zlib/bookworm libpng1.6/bookworm libsdl1.2/bookworm sdl-mixer1.2/bookworm glew/bookworm
    # Only DevIL's upstream tarball is served, not its Debian packaging.
    apt-get "${apt_options[@]}" source --download-only devil/unstable || true
    ls devil_*.orig.tar.* >/dev/null
    mkdir -p devil
    tar -xf devil_*.orig.tar.* -C devil --strip-components=1
}

src_dir() { find "$work/src" -mindepth 1 -maxdepth 1 -type d -name "$1" | head -n1; }

# libtool would call wine's winepath for every path: keep paths as they are.
# The C runtime goes into each DLL (libtool drops the flag from LDFLAGS).
autotools_env=(CC="$host-gcc -static-libgcc"
    lt_cv_to_host_file_cmd=func_convert_file_noop lt_cv_to_tool_file_cmd=func_convert_file_noop)
# The C and C++ runtimes and winpthreads go into each DLL of the CMake builds.
static_runtime="-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic"

build_zlib() {
    cd "$(src_dir 'zlib-*')"
    CHOST=$host ./configure --static --prefix="$prefix"
    make -j"$jobs" libz.a
    make install
}

build_libpng() {
    cd "$(src_dir 'libpng1.6-*')"
    ./configure --host=$host --prefix="$prefix" --disable-static \
        CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" "${autotools_env[@]}"
    make -j"$jobs"
    make install
}

build_sdl() {
    cd "$(src_dir 'libsdl1.2-*')"
    # Without --disable-stdio-redirect the program's output would go to stdout.txt.
    ./configure --host=$host --prefix="$prefix" --disable-stdio-redirect --disable-static \
        "${autotools_env[@]}"
    make -j"$jobs"
    make install
}

build_sdl_mixer() {
    cd "$(src_dir 'sdl-mixer1.2-*')"
    # Sound effects only: every music decoder is left out. The demo programs
    # do not link for Windows, so only the library is built.
    ./configure --host=$host --prefix="$prefix" --with-sdl-prefix="$prefix" --disable-static \
        --disable-music-cmd --disable-music-mod --disable-music-mod-modplug --disable-music-midi \
        --disable-music-ogg --disable-music-flac --disable-music-mp3 --disable-music-mp3-mad-gpl \
        --disable-smpegtest "${autotools_env[@]}"
    make -j"$jobs" build/libSDL_mixer.la
    make install-hdrs install-lib
}

build_glew() {
    cd "$(src_dir 'glew-*')"
    local options=(SYSTEM=linux-mingw32 GLEW_DEST="$prefix" GLEW_PREFIX="$prefix" AR=$host-ar)
    make -j"$jobs" "${options[@]}" glew.lib.shared
    # Its install step leaves out the DLL and the import library.
    mkdir -p "$prefix/include/GL" "$prefix/lib/pkgconfig" "$prefix/bin"
    cp include/GL/glew.h include/GL/wglew.h "$prefix/include/GL/"
    cp lib/libglew32.dll.a "$prefix/lib/"
    cp lib/glew32.dll "$prefix/bin/"
    cp glew.pc "$prefix/lib/pkgconfig/"
}

build_devil() {
    local src
    src=$(src_dir devil)/DevIL
    # Three changes for a MinGW build: ILUT needs no GLUT, the resource
    # scripts and text files are not in the tarball, and the release flags
    # are MSVC's.
    sed -i '/GLUT/d' "$src/src-ILUT/CMakeLists.txt"
    sed -i -e '/\.rc")$/d' -e '/set(DevIL_TXT \${DevIL_TXT}/d' "$src"/src-IL*/CMakeLists.txt
    sed -i '/"\/MT \/O2"/d' "$src"/src-IL*/CMakeLists.txt
    local build=$work/build-devil
    cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-i686.cmake" \
        -DFERROWIND_WINDEPS="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
        -DIL_TESTS=OFF -DCMAKE_SHARED_LINKER_FLAGS="$static_runtime"
    cmake --build "$build" -j"$jobs"
    cmake --install "$build"
    # ilut.h includes it, but the install step leaves it out.
    cp "$src/include/IL/ilut_config.h" "$prefix/include/IL/"
}

say "building the Windows libraries into $prefix (logs in $work/logs)"
rm -rf "$prefix" "$work"
mkdir -p "$prefix" "$work/logs"
step sources fetch_sources
step zlib build_zlib
step libpng build_libpng
step sdl build_sdl
step sdl_mixer build_sdl_mixer
step glew build_glew
step devil build_devil
rm -rf "$work"
echo "$recipe" >"$stamp"
say "done"
echo "$prefix"
