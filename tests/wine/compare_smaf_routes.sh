#!/bin/bash
# chimewright's SMAF routes through tarnwick make the same bytes on both builds: the native
# console program runs tarnwick's console program; the Windows one, under Wine, drives
# tarnwick's window program through its windows. Each route (4 kHz, 8 kHz, the size budget)
# converts the sound with each build; the .mmf files must be equal byte for byte.
#
# usage: compare_smaf_routes.sh NATIVE_CHIMEWRIGHT WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR
#
# The settings file lies in the folder WINDIR names. Wine sets WINDIR itself for the programs
# it starts, so the Windows program is started by cmd after setting it there.
set -u

if [ $# -ne 4 ]; then
    echo "usage: $0 NATIVE_CHIMEWRIGHT WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../tools/wine-run.sh
native=$1
windows=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
sound=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
scratch=$4

for program in "$native" "$windows"; do
    if [ ! -x "$program" ]; then
        echo "FAIL: $program is missing (build the native release and the Windows preset)" >&2
        exit 1
    fi
done

windows_path() {
    local unix=$1
    echo "Z:${unix//\//\\}"
}

# SMAF target flags: create 0x200, unlimited 0x100, 4 kHz 0x80, 8 kHz 0x20.
failures=0

# compare LABEL FLAGS [SWITCH]
compare() {
    local label=$1 flags=$2
    shift 2
    local dir=$scratch/$label
    rm -rf "$dir"
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    local build
    for build in native windows; do
        mkdir -p "$dir/$build/settings" "$dir/$build/work" "$dir/$build/out"
        printf '[STYLE]\r\np903=0\r\nAndr=0\r\nqcp=0\r\nmmf=%d\r\n' "$flags" \
            >"$dir/$build/settings/ferrowind.ini"
    done

    WINDIR=$dir/native/settings "$native" "$@" --work-dir "$dir/native/work" \
        -o "$dir/native/out" --copyright "(c)chime" "$sound" >"$dir/native.log" 2>&1
    (cd "$(dirname "$windows")" && "$wine_run" cmd /c \
        "set WINDIR=$(windows_path "$dir/windows/settings")&& $(windows_path "$windows")" \
        "$@" --work-dir "$(windows_path "$dir/windows/work")" \
        -o "$(windows_path "$dir/windows/out")" --copyright "(c)chime" \
        "$(windows_path "$sound")") >"$dir/windows.log" 2>&1

    # (The copyright has no blank: cmd would want it quoted.)
    local made=$dir/native/out/mmf/chime.mmf
    local windows_made=$dir/windows/out/mmf/chime.mmf
    if [ ! -s "$made" ] || [ ! -s "$windows_made" ]; then
        echo "FAIL [$label]: a build made no SMAF file:" >&2
        cat "$dir/native.log" "$dir/windows.log" >&2
        failures=$((failures + 1))
    elif cmp -s "$made" "$windows_made"; then
        echo "same   [$label] chime.mmf ($(stat -c %s "$made") bytes)"
    else
        echo "FAIL [$label] chime.mmf differs: $(cmp "$made" "$windows_made" 2>&1 | head -1)" >&2
        failures=$((failures + 1))
    fi
}

compare 4k $((0x200 | 0x100 | 0x80))
compare 8k $((0x200 | 0x100 | 0x20))
compare budget $((0x200 | 0x20)) /mmf6ksz3000

echo "3 routes compared, $failures failures"
[ "$failures" -eq 0 ]
