#!/bin/bash
# Makes the compressed WAVE files that the decoding tests read (tests/data/compressed/).
# Each holds a fraction of a second of pure tones, 440 Hz on the first channel and 660 Hz on
# the second, at half of full scale, so a test can tell the channels apart and measure how
# close a decode comes to the tone. The files are committed: the Windows test programs run
# under Wine, where sox and ffmpeg are out of reach.
#
# Needs sox and ffmpeg (with libmp3lame). Run it again only to change the fixtures.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/data/compressed
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# tone SECONDS RATE CHANNELS FILE: 16-bit PCM, 440 Hz (and 660 Hz on channel two) at -6 dBFS.
tone() {
    if [ "$3" = 2 ]; then
        sox -D -n -r "$2" -c 2 -b 16 "$4" synth "$1" sine 440 sine 660 gain -6
    else
        sox -D -n -r "$2" -c 1 -b 16 "$4" synth "$1" sine 440 gain -6
    fi
}

tone 0.2 22050 2 "$scratch/s22.wav"
tone 0.2 11025 1 "$scratch/m11.wav"
tone 0.2 8000 2 "$scratch/s8.wav"
tone 0.2 8000 1 "$scratch/m8.wav"
tone 0.3 8000 1 "$scratch/m8long.wav"
tone 0.3 22050 2 "$scratch/s22long.wav"

sox -D "$scratch/s22.wav" -e ima-adpcm "$out/ima_adpcm_stereo_22050.wav"
sox -D "$scratch/m11.wav" -e ms-adpcm "$out/ms_adpcm_mono_11025.wav"
sox -D "$scratch/s8.wav" -e a-law "$out/alaw_stereo_8000.wav"
sox -D "$scratch/m8.wav" -e u-law "$out/mulaw_mono_8000.wav"
sox -D "$scratch/s8.wav" -e floating-point -b 32 "$out/float_stereo_8000.wav"
# sox writes WAVE_FORMAT_EXTENSIBLE for samples wider than 16 bits.
sox -D "$scratch/s8.wav" -b 24 "$out/extensible_24bit_stereo_8000.wav"
sox -D "$scratch/m8long.wav" -e gsm-full-rate "$out/gsm610_mono_8000.wav"
# Bit-exact mode keeps the encoder's version string out of the file.
ffmpeg -hide_banner -loglevel error -y -i "$scratch/s22long.wav" \
    -fflags +bitexact -flags:a +bitexact -c:a libmp3lame -b:a 48k "$out/mp3_stereo_22050.wav"

ls -l "$out"
