#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice: once as built for
# use, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build and test under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== Fuzz the preferences reader, the command line and the box rules =="
if command -v clang++ >/dev/null 2>&1; then
    CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_FUZZ=ON >/dev/null
    cmake --build build-fuzz --target fuzz_targets -j "$jobs"
    ctest --test-dir build-fuzz -R '^fuzz_' --output-on-failure -j "$jobs"
else
    echo "clang++ not found: nothing is fuzzed (install clang and libclang-rt-14-dev)"
fi
