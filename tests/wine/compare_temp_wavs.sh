#!/bin/bash
# Both builds must write the same bytes: renders every temporary WAV file of a sound with the
# native console program and with the Windows one under Wine, once per signal chain (level
# normalisation, and the soft limiter of --normoff), and compares the files byte for byte.
#
# usage: compare_temp_wavs.sh NATIVE_CHIMEWRIGHT WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR
#
# The Windows program runs through tools/wine-run.sh; it sees the Unix file system as drive Z:.
set -u

if [ $# -ne 4 ]; then
    echo "usage: $0 NATIVE_CHIMEWRIGHT WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../tools/wine-run.sh
native=$1
windows=$2
sound=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
scratch=$4

for program in "$native" "$windows"; do
    if [ ! -x "$program" ]; then
        echo "FAIL: $program is missing (build the native release and the Windows preset)" >&2
        exit 1
    fi
done

# A Unix absolute path as the Windows program sees it.
windows_path() {
    local unix=$1
    echo "Z:${unix//\//\\}"
}

failures=0
checked=0

# compare LABEL OPTIONS...
compare() {
    local label=$1
    shift
    local dir=$scratch/$label
    rm -rf "$dir"
    mkdir -p "$dir/native" "$dir/windows"
    dir=$(cd "$dir" && pwd)

    if ! "$native" --render-temp --work-folder "$dir/native" "$@" "$sound" \
        >"$dir/native.log" 2>&1; then
        echo "FAIL [$label]: the native program failed:" >&2
        cat "$dir/native.log" >&2
        failures=$((failures + 1))
        return
    fi
    if ! "$wine_run" "$windows" --render-temp --work-folder "$(windows_path "$dir/windows")" \
        "$@" "$(windows_path "$sound")" >"$dir/windows.log" 2>&1; then
        echo "FAIL [$label]: the Windows program failed:" >&2
        cat "$dir/windows.log" >&2
        failures=$((failures + 1))
        return
    fi

    local made
    made=$(cd "$dir/native" && ls -1 ./*.wav 2>/dev/null | sed 's#^\./##')
    if [ -z "$made" ]; then
        echo "FAIL [$label]: the native program made no temporary WAV file" >&2
        failures=$((failures + 1))
        return
    fi
    local windows_made
    windows_made=$(cd "$dir/windows" && ls -1 ./*.wav 2>/dev/null | sed 's#^\./##')
    if [ "$made" != "$windows_made" ]; then
        echo "FAIL [$label]: the builds made different files:" >&2
        echo "  native:  $(echo $made)" >&2
        echo "  Windows: $(echo $windows_made)" >&2
        failures=$((failures + 1))
    fi

    local name
    for name in $made; do
        [ -f "$dir/windows/$name" ] || continue
        checked=$((checked + 1))
        if cmp -s "$dir/native/$name" "$dir/windows/$name"; then
            echo "same   [$label] $name ($(stat -c %s "$dir/native/$name") bytes)"
        else
            local differing
            differing=$(cmp -l "$dir/native/$name" "$dir/windows/$name" 2>/dev/null | wc -l)
            echo "FAIL [$label] $name differs: $differing bytes," \
                "first at $(cmp "$dir/native/$name" "$dir/windows/$name" 2>&1 | head -1)" >&2
            failures=$((failures + 1))
        fi
    done
}

compare normalised
compare half-level --level 0.5
compare limiter --normoff

echo "$checked files compared, $failures failures"
[ "$failures" -eq 0 ]
