#!/usr/bin/env bash
# Installs what building and running need, builds Kestrune with its libraries and its manual
# into build-run/ (apart from the test builds, so neither rebuilds the other's), and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "kestrune: no display available (DISPLAY is not set); run this from a desktop session." >&2
    exit 1
fi
scripts/setup-debian.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-run --target kestrune kestrune_manual
exec build-run/kestrune
