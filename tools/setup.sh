#!/usr/bin/env bash
# Installs every Debian package Ferrowind needs to build, run and test.
# Idempotent: installs only what is missing; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-dev
  libsdl1.2-dev libsdl-mixer1.2-dev libsmpeg-dev
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libglew-dev
  libdevil-dev libexpat1-dev zlib1g-dev
  googletest libgtest-dev
  xvfb xauth x11-apps xdotool imagemagick
  lame iproute2 nftables socat python3
  # The Windows build: the cross compiler and the tools that fetch and build
  # its libraries' sources.
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-tools dpkg-dev zip
)
# Wine with the 32-bit Mesa that draws for it, to run the Windows build. Wine
# loads OpenGL through libGL.so.1 (libgl1), which it only recommends.
wine_packages=(wine wine32:i386 libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

# wine32 and the 32-bit Mesa come from the i386 side of the archive.
new_architecture=false
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  new_architecture=true
fi

# Prints those of the packages named that are not installed.
not_installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t wine_missing < <(not_installed "${wine_packages[@]}")

apt_install() {
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

indexes_complete=true
if [ ${#missing[@]} -gt 0 ] || [ ${#wine_missing[@]} -gt 0 ] || $new_architecture; then
  echo "Installing: ${missing[*]} ${wine_missing[*]}"
  # A mirror in the middle of a sync serves index files that fail their
  # checks for a while. Try again; if some index still fails, go on with the
  # rest: the install below says plainly if a package is then missing.
  for try in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update -qq && break
    if [ "$try" -eq 3 ]; then
      echo "setup: some package indexes failed to download; installing from the others" >&2
      indexes_complete=false
    else
      sleep 20
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    apt_install "${missing[@]}"
  fi
  # wine32's i386 libraries must be the very versions of the amd64 ones
  # installed, so a missing i386 index (security's, say) leaves them out of
  # reach. Building and playing do not need wine: only then is it left out.
  if [ ${#wine_missing[@]} -gt 0 ] && ! apt_install "${wine_missing[@]}"; then
    $indexes_complete && exit 1
    echo "setup: wine cannot be installed until the missing indexes download;" \
      "the Windows exe is built but not run, and the wine tests skip" >&2
    exit 0
  fi
fi

"${sudo_cmd[@]}" "$(dirname "$0")/i386.sh"
