#!/bin/bash
# Builds the Windows programs (mingw-w64 cross build, preset "windows") and runs every test
# under Wine. Installs what is missing first (Debian 12, as root).
#
# The programs land in build/windows/bin; the Wine prefix in build/windows/wineprefix.
# An Xvfb display is started for the run so that tests which open windows have one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=${CW_JOBS:-2}

# The native packages too: the native console program is built for the comparison of the
# two builds' output.
bash tools/install-packages.sh $(cat tools/native-packages.txt tools/windows-packages.txt)

# Wine takes its ANSI code page (932) and its file-name encoding from this locale.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "== generating the locale ja_JP.UTF-8"
    if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen
fi

echo "== native console programs (the Windows build's output must match their bytes)"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs" --target chimewright-cli tarnwick-cli

echo "== configuring and building the Windows preset"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"

# A private X display for the run (Wine's windows need one; xvfb-run would end it while the
# Wine server lives on).
display=
for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=$n
        break
    fi
done
xvfb_pid=
export WINEPREFIX=$root/build/windows/wineprefix
stop_display() {
    WINEDEBUG=-all wineserver -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop_display EXIT
if [ -n "$display" ]; then
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    export DISPLAY=:$display
fi

echo "== running the tests under Wine"
ctest --preset windows -j"$jobs"
