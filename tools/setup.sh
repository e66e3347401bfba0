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
  lame iproute2 nftables
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
