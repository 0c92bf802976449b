#!/bin/bash
# Every test: the native release build, the native build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows build under Wine.
set -eu
cd "$(dirname "$0")/.."
bash tools/install-packages.sh $(cat tools/native-packages.txt tools/package-packages.txt)
jobs=$(nproc)

for preset in release asan; do
    echo "== native $preset build and tests"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
    ctest --preset "$preset" -j"$jobs"
done

echo "== Windows build and tests under Wine"
bash tools/windows-tests.sh
