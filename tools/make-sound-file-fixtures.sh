#!/bin/bash
# Makes the sound files of other formats than WAVE that the console program's tests convert
# (tests/data/sound_files/): half a second of the bundled sample, frames 17640 to 39689 of
# samples/chime.wav (44100 Hz stereo, where the second note sounds), as FLAC, Ogg Vorbis and
# MP3. The tests cut the same frames out of the sample as the PCM WAVE file to compare with.
# The files are committed so that the tests need neither sox nor ffmpeg.
#
# Needs sox and ffmpeg (with libvorbis and libmp3lame). Run it again only to change the
# fixtures; keep first_frame and frames in step with the tests.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/data/sound_files
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

first_frame=17640
frames=22050
sox -D "$root/samples/chime.wav" "$scratch/excerpt.wav" trim "${first_frame}s" "${frames}s"

# Bit-exact mode keeps the encoders' version strings out of the files.
encode() {
    ffmpeg -hide_banner -loglevel error -y -i "$scratch/excerpt.wav" \
        -fflags +bitexact -flags:a +bitexact "$@"
}
encode -c:a flac "$out/chime_excerpt.flac"
encode -c:a libvorbis -q:a 3 "$out/chime_excerpt.ogg"
# The LAME header that ffmpeg writes tells the decoder the encoder's delay and padding, so the
# decoded length is the excerpt's.
encode -c:a libmp3lame -b:a 96k "$out/chime_excerpt.mp3"

ls -l "$out"
