#!/bin/bash
# Makes the seed corpora of the fuzz targets (fuzz/seeds/<target>/): small valid inputs that
# give the fuzzer a start past the headers, cut from the bundled sample (samples/chime.wav),
# the test fixtures (tests/data/) and the ringtone files the programs write from the sample.
# The seeds are committed; CI replays them (docs/FUZZING.md). Run it again only to change them.
#
# Needs sox and the native chimewright and tarnwick: those in CW_BIN when it names a folder,
# else the release build's (built here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seeds=$root/fuzz/seeds
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A target's folder without the seeds this script made; hand-made ones ("hand_*": headers
# that declare gigabytes, extreme rates, channel counts and block sizes) stay.
fresh() {
    mkdir -p "$seeds/$1"
    find "$seeds/$1" -type f ! -name 'hand_*' -delete
    echo "$seeds/$1"
}

# A twentieth of a second of the sample in the given sox output options.
cut() { local out=$1; shift; sox -D samples/chime.wav "$@" "$out" trim 0.5 0.05; }

# patchTag FILE TAG OUT: the same bytes with another format tag (little-endian at byte 20).
patchTag() {
    cp "$1" "$3"
    printf "$(printf '\\x%02x\\x%02x' $(($2 & 255)) $(($2 >> 8)))" |
        dd of="$3" bs=1 seek=20 conv=notrunc status=none
}

# chimewright's reader: every width, channel count and rate it meets, an extra chunk before
# the data, and a temporary file of its own making (the trim's input).
dir=$(fresh chimewright_wav_fuzz)
for bits in 8 16 32; do cut "$dir/stereo_44100_$bits.wav" -b "$bits"; done
for rate in 4000 8000 11025 16000 22050 32000 48000; do cut "$dir/mono_$rate.wav" -c 1 -r "$rate" -b 16; done
cut "$dir/quad_8000.wav" -c 4 -r 8000 -b 16
cut "$scratch/listed.wav" -c 1 -r 8000 -b 16
sox -D "$scratch/listed.wav" --comment "seed" "$dir/mono_8000_list_chunk.wav"
head -c 44 "$dir/mono_8000.wav" > "$dir/empty_data.wav"
printf 'RIFF\044\000\000\000WAVEfmt \020\000\000\000\001\000\001\000\100\037\000\000\200\076\000\000\002\000\020\000data\000\000\000\000' \
    > "$dir/header_only.wav"

# The compressed route: the decoding fixtures, and a PCM file under every format tag the
# codecs know (and some they do not).
dir=$(fresh compressed_input_fuzz)
cp tests/data/compressed/*.wav "$dir/"
cut "$scratch/pcm.wav" -c 1 -r 8000 -b 16
for tag in 0 1 2 3 6 7 0x11 0x22 0x31 0x40 0x45 0x50 0x55 0x64 0x65 0x161 0xFFFE 0xFFFF; do
    patchTag "$scratch/pcm.wav" "$tag" "$dir/tag_$(printf '%04x' "$tag").wav"
done

# tarnwick's check: the two rates it takes and two files it refuses.
dir=$(fresh tarnwick_wave_fuzz)
cut "$dir/mono_8000.wav" -c 1 -r 8000 -b 16
cut "$dir/mono_4000.wav" -c 1 -r 4000 -b 16
cut "$dir/stereo_8000.wav" -c 2 -r 8000 -b 16
cut "$dir/mono_8000_8bit.wav" -c 1 -r 8000 -b 8

# Settings: the sections the program writes, a preset, the user section; UTF-8 with CR LF
# and code page 932 with LF.
dir=$(fresh settings_fuzz)
{
    printf '[STYLE]\r\nnormoff=544\r\nn503=544\r\nn505=776\r\nmmf=776\r\nAndr=769\r\n'
    printf '[VOLUME]\r\nnormalize=1.000000\r\nn503=0.800000\r\n'
    printf '[OPTION]\r\nloop=1\r\nmaxmld=100000\r\n\r\n'
    printf '[PresetBSTYLE]\r\nn503=512\r\n[PresetBOPTION]\r\nmaxmld=30000\r\n'
    printf '; a comment\r\n[user]\r\noutput=/tmp/out\r\ncopyright="(c) \xe3\x81\x82"\r\n'
} > "$dir/utf8_crlf.ini"
printf '\xef\xbb\xbf[OPTION]\nloop=0\n[user]\ncopyright=\x82\xa0\x82\xa2\n' > "$dir/cp932_bom.ini"

# List import: an export of two rows in UTF-8 and one in code page 932.
dir=$(fresh list_import_fuzz)
printf '/tmp/bell.wav\tbell\tbell\t    0\t    0\r\n/tmp/\xe9\x90\x98.wav\t\xe9\x90\x98\tkane\t  500\t 3006\r\n' \
    > "$dir/utf8.txt"
printf 'C:\\sound\\\x8f\xe0.wav\t\x8f\xe0\t\t  250\n' > "$dir/cp932.txt"

# Ringtone files: every family's MFi file and the SMAF file, from a quarter second of the
# sample with every target on (the settings of tools/run-sample.sh).
bin=${CW_BIN:-}
if [ -z "$bin" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release -j2 --target chimewright-cli tarnwick-cli >/dev/null
    bin=$root/build/release/bin
fi
run=$scratch/run
mkdir -p "$run/config/chimewright" "$run/work" "$run/out"
sed -n '/^\[STYLE\]/,/^EOF$/p' tools/run-sample.sh | sed '$d' |
    sed 's/\$small/544/; s/\$large/776/' > "$run/config/chimewright/ferrowind.ini"
sox -D samples/chime.wav "$run/short.wav" trim 0.5 0.25
env -u WINDIR XDG_CONFIG_HOME="$run/config" "$bin/chimewright" \
    --work-dir "$run/work" -o "$run/out" "$run/short.wav" >/dev/null
cp fuzz/seeds/tarnwick_wave_fuzz/mono_4000.wav "$run/tarnwick_4000.wav"
"$bin/tarnwick" "$run/tarnwick_4000.wav" >/dev/null

dir=$(fresh voxreel_parsers_fuzz)
for file in "$run"/out/*/short.mld "$run"/out/*/short.mmf; do
    cp "$file" "$dir/$(basename "$(dirname "$file")").${file##*.}"
done
cp tests/data/smaf/*.mmf "$dir/"
printf 'melo\000\000\000\020\000\003\001\001\001trac\000\000\000\004\000\377\337\000' > "$dir/handmade.mld"

dir=$seeds/mmmd_file_fuzz # the hand-made seeds stay; the written files join them
cp "$run"/out/mmf/short.mmf "$dir/stream_16k.mmf"
cp tests/data/smaf/*.mmf "$dir/"
[ -f "$run/tarnwick_4000.mmf" ] && cp "$run/tarnwick_4000.mmf" "$dir/"

du -sh "$seeds"/*
