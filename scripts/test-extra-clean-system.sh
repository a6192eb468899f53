#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 and uses it as a user would. The script
# makes a fresh minimal root with debootstrap, installs the package there with apt-get, which
# must find every dependency in the package registry, and checks inside it that ttf2pgf
# converts a font and reports the package's version, that the program starts under Xvfb
# and shows the disclaimer, and that `apt-get remove` leaves no file of ours behind. The
# root is removed afterwards. Needs root and network access.
# Usage: scripts/test-extra-clean-system.sh [BUILD_DIR]
# KORVEN_DEBIAN_MIRROR and KORVEN_DEBIAN_SECURITY choose other package mirrors.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
fail() { echo "clean system: $*" >&2; exit 1; }
[[ $(id -u) -eq 0 ]] || fail "needs root, for debootstrap and chroot"

deb=$(bash scripts/package.sh "${1:-build}" | tail -n1)
version=$(dpkg-deb -f "$deb" Version)
mirror=${KORVEN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${KORVEN_DEBIAN_SECURITY:-http://deb.debian.org/debian-security}

work=$(mktemp -d -t korven-clean-system.XXXXXX)
root=$work/root
proc_mounted=0
cleanup() {
  # Anything still running inside the root (a program that hung) keeps it busy.
  local p
  for p in /proc/[0-9]*; do
    if [[ $(readlink "$p/root" 2>/dev/null) == "$root" ]]; then
      kill -9 "${p#/proc/}" 2>/dev/null || true
    fi
  done
  if ((proc_mounted)); then
    umount "$root/proc" 2>/dev/null || umount -l "$root/proc" || true
  fi
  # Never remove while something is mounted below the work folder: rm would reach into it.
  if grep -q " $work/" /proc/mounts; then
    echo "clean system: $work still has mounts below it; left in place" >&2
    return
  fi
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
# Every path on the root's own file system, except our check folder.
list_files() {
  in_root find / -xdev -path /root/check -prune -o -print | sort
}
step() { echo "clean system: $* ($((SECONDS - started)) s)"; }

step "making a minimal Debian 12 root in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
SOURCES
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
proc_mounted=1
mkdir -p "$root/root/check"
cp "$deb" "$root/root/check/"
in_root apt-get update -qq

step "installing $(basename "$deb") with apt-get"
list_files >"$work/before"
# Without recommended packages, so the package's own Depends must be enough.
in_root apt-get install -y -qq --no-install-recommends "/root/check/$(basename "$deb")" \
  >"$work/install.log" 2>&1 || { tail -n 20 "$work/install.log" >&2; fail "apt-get install failed"; }
in_root dpkg -L korven-font-converter | sort >"$work/ours"
missing=$(in_root ldd /usr/bin/korven-font-converter /usr/bin/ttf2pgf | grep "not found" || true)
[[ -z $missing ]] || fail "libraries not found: $missing"

step "converting a font with ttf2pgf"
out=$(in_root ttf2pgf --version)
[[ $out == "ttf2pgf ${version%-*}" ]] || fail "ttf2pgf --version printed \"$out\", not ttf2pgf ${version%-*}"
out=$(in_root ttf2pgf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /root/check/ltn0.pgf 18 i2)
[[ $out == "wrote /root/check/ltn0.pgf: "* && -s $root/root/check/ltn0.pgf ]] ||
  fail "ttf2pgf did not convert DejaVu Sans: $out"
in_root ttf2pgf --render /root/check/ltn0.pgf "Settings Photo Music" /root/check/menu.png >/dev/null
[[ -s $root/root/check/menu.png ]] || fail "ttf2pgf --render wrote no image"

step "starting the program under Xvfb"
# The X server and the tools that find and click the window are for this check only.
in_root apt-get install -y -qq --no-install-recommends xvfb x11-utils xdotool >"$work/tools.log" 2>&1 ||
  { tail -n 20 "$work/tools.log" >&2; fail "installing Xvfb failed"; }
mkdir -p "$root/root/check/scripts/lib"
cp scripts/test-extra-xvfb.sh "$root/root/check/scripts/"
cp scripts/lib/xvfb.sh "$root/root/check/scripts/lib/"
in_root env KORVEN_BUILD_DIR=/usr bash /root/check/scripts/test-extra-xvfb.sh

step "removing the package"
in_root apt-get remove -y -qq korven-font-converter >"$work/remove.log" 2>&1 ||
  { tail -n 20 "$work/remove.log" >&2; fail "apt-get remove failed"; }
status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' korven-font-converter 2>/dev/null || true)
[[ -z $status || $status == un* ]] || fail "the package is still known to dpkg as \"$status\""
list_files >"$work/after"
# What is new since before the installation and is ours: a file the package held, or a
# file with our name that the programs made while they ran.
comm -13 "$work/before" "$work/after" >"$work/new"
leftovers=$( (comm -12 "$work/new" "$work/ours"; grep -Ei 'korven|ttf2pgf' "$work/new" || true) | sort -u)
[[ -z $leftovers ]] || fail "files of ours left after apt-get remove:"$'\n'"$leftovers"

step "passed: installed, converted, started and removed cleanly"
