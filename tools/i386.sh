#!/usr/bin/env bash
# Makes this machine start 32-bit (i386) Linux programs, which wine's loader
# for the Windows build is. A kernel without 32-bit support (as on the CI
# machines) refuses them; there they are run through qemu's user-mode
# emulator, registered with the kernel's binfmt_misc. Wine needs qemu 8 or
# later (older ones ignore MAP_FIXED_NOREPLACE and wine cannot lay out its
# memory); bookworm has it in its backports, fetched through a private apt
# configuration so that the machine's own apt sources stay as they are.
# Idempotent; needs root.
set -euo pipefail

probe=/usr/lib/wine/wine
emulator_dir=/opt/ferrowind-qemu
emulator=$emulator_dir/qemu-i386
entry=ferrowind-i386
binfmt=/proc/sys/fs/binfmt_misc

runs_i386() { "$probe" --version >/dev/null 2>&1; }

[ -x "$probe" ] || { echo "i386.sh: $probe is missing (wine32 is not installed)" >&2; exit 1; }
runs_i386 && exit 0

if [ ! -x "$emulator" ]; then
    echo "i386.sh: this kernel does not run i386 programs; fetching qemu's user-mode emulator"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-backports main" \
        >"$work/sources.list"
    apt_options=(
        -o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
        -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
        -o "APT::Sandbox::User=root" -qq)
    apt-get "${apt_options[@]}" update
    (cd "$work" && apt-get "${apt_options[@]}" download qemu-user/bookworm-backports)
    dpkg-deb -x "$work"/qemu-user_*.deb "$work/root"
    mkdir -p "$emulator_dir"
    install -m 755 "$work/root/usr/bin/qemu-i386" "$emulator"
fi

mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/$entry" ]; then
    # ELF, 32-bit, little-endian, executable or shared object, machine i386.
    # F: the kernel opens the emulator now, so it works inside other mount
    # namespaces (ip netns exec) too.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":$entry:M::$magic:$mask:$emulator:F" >"$binfmt/register"
fi
runs_i386 || { echo "i386.sh: i386 programs still do not start" >&2; exit 1; }
echo "i386.sh: i386 programs run through $emulator"
