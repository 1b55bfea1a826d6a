#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "kestrune: no display available (DISPLAY is not set); run this from a desktop session." >&2
    exit 1
fi
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target kestrune
exec build/kestrune
