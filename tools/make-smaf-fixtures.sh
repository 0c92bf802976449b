#!/bin/bash
# Makes the SMAF files written by an independent writer (ffmpeg's mmf muxer) that the SMAF
# parsing tests read back (tests/data/smaf/). Each holds a short tone as ADPCM in an audio
# track. The files are committed: the Windows test programs run under Wine, where ffmpeg is
# out of reach.
#
# Needs sox and ffmpeg. Run it again only to change the fixtures.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/data/smaf
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

sox -D -n -r 8000 -c 1 -b 16 "$scratch/tone.wav" synth 0.05 sine 440 gain -6

mmf() { # RATE FILE [ffmpeg options]
    local rate=$1 file=$2
    shift 2
    ffmpeg -nostdin -hide_banner -loglevel error -y -i "$scratch/tone.wav" -ar "$rate" -ac 1 \
        -c:a adpcm_yamaha -fflags +bitexact "$@" "$out/$file"
}

mmf 8000 ffmpeg_8000.mmf
mmf 4000 ffmpeg_4000_titled.mmf -metadata title="a,b" -metadata copyright="me"
