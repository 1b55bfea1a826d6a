#!/usr/bin/env bash
# Installs the Debian packages Kestrune needs. Safe to run again: nothing is installed when
# everything is already there.
#   setup-debian.sh run    what building and running the program need
#   setup-debian.sh test   that, and the tools the tests use
set -euo pipefail

run_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins libgl-dev libfontconfig-dev
    fonts-liberation
)
test_packages=(
    gputils gpsim avra binutils-avr libsimavr-dev as31 sdcc-ucsim
    clang libclang-rt-14-dev
    libbenchmark-dev
    xvfb xauth xdotool xclip x11-apps imagemagick poppler-utils dbus-daemon x11-utils
    desktop-file-utils appstream man-db groff-base dpkg-dev file lintian
)
case "${1:-}" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
