#!/bin/bash
# The Windows build's Ogg Vorbis output, checked with the Linux tools: runs the Windows console
# program under Wine on a sound with an interval of 500 ms, then checks the Android target's
# file with ffprobe, vorbiscomment and oggdec: its rate, channels and length (the temporary
# file's samples plus the interval), its comments in order, and its audio, which must decode to
# the same samples as "oggenc -q 1" (libvorbis quality 0.1, the same library on Linux) makes of
# the temporary file(s) it was encoded from.
#
# usage: compare_android_ogg.sh WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR
#
# Which Android option runs is up to the settings of the test prefix (a fresh one encodes the
# 32 kHz file); with the Android target disabled there the check is skipped (exit 77).
set -u

if [ $# -ne 3 ]; then
    echo "usage: $0 WINDOWS_CHIMEWRIGHT_EXE SOUND.wav SCRATCH_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../tools/wine-run.sh
windows=$1
sound=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
scratch=$3
interval_ms=500

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in ffprobe vorbiscomment oggdec oggenc sox; do
    command -v "$tool" >/dev/null || fail "$tool is missing (packages ffmpeg, vorbis-tools, sox)"
done
[ -x "$windows" ] || fail "$windows is missing (build the Windows preset)"

windows_path() {
    local unix=$1
    echo "Z:${unix//\//\\}"
}

rm -rf "$scratch"
mkdir -p "$scratch/work" "$scratch/out" || fail "cannot make $scratch"
scratch=$(cd "$scratch" && pwd)
printf '%s\tbell\tbell\t%d\r\n' "$(windows_path "$sound")" "$interval_ms" >"$scratch/list.txt"

if ! "$wine_run" "$windows" --work-dir "$(windows_path "$scratch/work")" \
    -o "$(windows_path "$scratch/out")" --copyright "(c) cross" \
    --list "$(windows_path "$scratch/list.txt")" >"$scratch/windows.log" 2>&1; then
    cat "$scratch/windows.log" >&2
    fail "the Windows program failed"
fi

ogg=$scratch/out/Andr/bell.ogg
if [ ! -f "$ogg" ]; then
    echo "SKIP: no Android file; the test prefix's settings have the target disabled" >&2
    exit 77
fi

probe() {
    ffprobe -v error -show_entries "stream=$1" -of default=noprint_wrappers=1:nokey=1 "$ogg"
}
rate=$(probe sample_rate) || fail "ffprobe cannot read $ogg"
channels=$(probe channels)
length=$(probe duration_ts)

# The temporary file(s) the option encodes, by the stream's rate and channels.
case "$rate/$channels" in
    32000/1) sources=(_cwm32tmp.wav) ;;
    16000/1) sources=(_cwsmtmp.wav) ;;
    16000/2) sources=(_cwhltmp.wav _cwhrtmp.wav) ;;
    *) fail "unexpected stream: $rate Hz, $channels channels" ;;
esac

# Each temporary file's samples from byte 44, as raw 16-bit little-endian mono at its rate.
raws=()
for name in "${sources[@]}"; do
    tail -c +45 "$scratch/work/$name" >"$scratch/$name.raw" || fail "$name is missing"
    raws+=(-t raw -r "$rate" -e signed -b 16 -c 1 -L "$scratch/$name.raw")
done
samples=$(( $(stat -c %s "$scratch/${sources[-1]}.raw") / 2 + interval_ms * rate / 1000 ))
[ "$length" = "$samples" ] || fail "length $length samples, expected $samples"

expected=$(printf 'title=bell\nCopyright=(c) cross\nANDROID_LOOP=true\nENCODER=chimewright')
comments=$(vorbiscomment -l -R "$ogg") || fail "vorbiscomment cannot read $ogg"
[ "$comments" = "$expected" ] || fail "comments differ:
$comments"

# The same samples with the same silence after them, encoded on Linux.
merge=()
[ "$channels" = 2 ] && merge=(-M)
# The interval as a count of samples ("s"), so that no rounding of seconds comes in.
sox "${merge[@]}" "${raws[@]}" -b 16 "$scratch/reference.wav" \
    pad 0 "$(( interval_ms * rate / 1000 ))s" 2>"$scratch/sox.log" || fail "sox: $(cat "$scratch/sox.log")"
oggenc -Q -q 1 -o "$scratch/reference.ogg" "$scratch/reference.wav" || fail "oggenc failed"
oggdec -Q -R -o "$scratch/windows.raw" "$ogg" || fail "oggdec cannot decode $ogg"
oggdec -Q -R -o "$scratch/reference.raw" "$scratch/reference.ogg" || fail "oggdec failed"
[ "$(stat -c %s "$scratch/windows.raw")" = $(( samples * channels * 2 )) ] ||
    fail "oggdec decoded $(stat -c %s "$scratch/windows.raw") bytes, expected $(( samples * channels * 2 ))"
cmp -s "$scratch/windows.raw" "$scratch/reference.raw" ||
    fail "the Windows stream decodes to other samples than oggenc's of the same input"

echo "PASS: $rate Hz, $channels channel(s), $samples samples, comments in order, same audio as oggenc -q 1"
