#!/bin/bash
# Builds the release packages into build/packages: the Debian package of the Linux console
# programs and the zip of the Windows programs (window and console programs side by side).
# Installs what is missing first (Debian 12, as root).
#   tools/package.sh [deb|zip]...   (both when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(deb zip)

for kind in "${kinds[@]}"; do
    case $kind in
    deb)
        bash tools/install-packages.sh $(cat tools/native-packages.txt tools/package-packages.txt)
        preset=package ;;
    zip)
        bash tools/install-packages.sh $(cat tools/windows-packages.txt)
        preset=package-windows ;;
    *) echo "usage: $0 [deb|zip]..." >&2; exit 2 ;;
    esac
    echo "== $kind"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
    cpack --preset "$preset"
done
ls -l build/packages
