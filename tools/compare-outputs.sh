#!/bin/bash
# Two builds of the console program write the same bytes: runs BEFORE/chimewright and
# AFTER/chimewright (each folder with its tarnwick) over the bundled sample, the compressed
# test fixtures, a set of PCM layouts made here with sox and, with --long, the long input of
# the speed measurements; each with every target enabled (all eight temporary files) and with
# the bundled sample's settings, normalisation on and off, and --render-temp. Then compares
# the working folders (every temporary file) and the output trees byte for byte. Ogg files
# carry a random stream serial, so they are compared by size, comments and decoded samples.
#
# usage: tools/compare-outputs.sh BEFORE_FOLDER AFTER_FOLDER SCRATCH [--long]
set -u
if [ $# -lt 3 ]; then
    echo "usage: $0 BEFORE_FOLDER AFTER_FOLDER SCRATCH [--long]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
mkdir -p "$3"
scratch=$(cd "$3" && pwd)

inputs=("$root/samples/chime.wav" "$root"/tests/data/compressed/*.wav)
made=$scratch/inputs
mkdir -p "$made" "$scratch/runtime" # tarnwick's lock: away from other runs on the machine
chmod 700 "$scratch/runtime"
# rate channels bits name: a fading tone per channel (330 Hz, 2500 Hz, ...)
while read -r rate channels bits name; do
    encoding=signed-integer
    [ "$bits" = 8 ] && encoding=unsigned-integer
    sox -n -r "$rate" -c "$channels" -b "$bits" -e $encoding "$made/$name.wav" \
        synth 2.5 sine 330 sine 2500 sine 700 fade 0 2.5 2 vol 0.6
    inputs+=("$made/$name.wav")
done <<'LAYOUTS'
8000 1 16 mono16_8000
16000 1 16 mono16_16000
32000 1 16 mono16_32000
6000 2 8 stereo8_6000
44100 1 32 mono32_44100
48000 2 16 stereo16_48000
11025 2 16 stereo16_11025
22050 3 16 three_channels_22050
LAYOUTS
sox -n -r 44100 -c 2 -b 16 "$made/silence.wav" trim 0 0.5
inputs+=("$made/silence.wav")
if [ "${4:-}" = --long ]; then
    long=$scratch/three_minutes.wav
    [ -f "$long" ] || "$root/build/release/bin/make_long_input" "$long"
    inputs+=("$long")
fi

# Every target with options that need all eight temporary files (as tools/time-job.sh), and
# the settings of the bundled sample's run (tools/run-sample.sh).
settings_every=$(cat "$root/tools/every-target-settings.ini")
settings_sample=$(printf '[STYLE]\n'; for t in n503 n504 f503 f504 p211 d211 sh251 so504 qcp; do
    echo "$t=544"; done; for t in n505 f505 p505 p900 d505 sh505 sh252 so505 so505is sa700 \
    sa702 p903 l600 n600 m702 mmf; do echo "$t=776"; done; echo "Andr=769")

same_ogg() {
    [ "$(stat -c %s "$1")" = "$(stat -c %s "$2")" ] &&
        [ "$(vorbiscomment -l "$1")" = "$(vorbiscomment -l "$2")" ] &&
        cmp -s <(oggdec -Q -R -o - "$1") <(oggdec -Q -R -o - "$2")
}

# same_tree A B: every file of both, byte for byte (Ogg files as above).
same_tree() {
    local a=$1 b=$2 f
    [ "$(cd "$a" && find . -type f | sort)" = "$(cd "$b" && find . -type f | sort)" ] || return 1
    while read -r f; do
        case $f in
        *.ogg) same_ogg "$a/$f" "$b/$f" || return 1 ;;
        *) cmp -s "$a/$f" "$b/$f" || return 1 ;;
        esac
    done < <(cd "$a" && find . -type f)
}

checked=0
differ=0
for input in "${inputs[@]}"; do
    for settings in every sample; do
        for switch in "" /normoff; do
            label=$(basename "$input" .wav)-$settings${switch:+-normoff}
            for side in before after; do
                dir=$scratch/runs/$label/$side
                rm -rf "$dir"
                mkdir -p "$dir/config/chimewright" "$dir/work" "$dir/out"
                var=settings_$settings
                echo "${!var}" >"$dir/config/chimewright/ferrowind.ini"
                program=$before
                [ $side = after ] && program=$after
                env -u WINDIR XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$dir/config" \
                    "$program/chimewright" $switch --work-dir "$dir/work" -o "$dir/out" \
                    "$input" >"$dir/log" 2>&1
                echo "exit $?" >>"$dir/log"
                sed -i "s#$dir#RUN#g" "$dir/log"
            done
            checked=$((checked + 1))
            b=$scratch/runs/$label/before
            a=$scratch/runs/$label/after
            if ! cmp -s "$b/log" "$a/log" || ! same_tree "$b/work" "$a/work" ||
                ! same_tree "$b/out" "$a/out"; then
                echo "DIFFERENT: $label"
                differ=$((differ + 1))
            fi
        done
    done
    for switch in "" --normoff; do
        label=$(basename "$input" .wav)-render-temp$switch
        for side in before after; do
            dir=$scratch/runs/$label/$side
            rm -rf "$dir"
            mkdir -p "$dir/work"
            program=$before
            [ $side = after ] && program=$after
            "$program/chimewright" --render-temp --work-dir "$dir/work" $switch "$input" \
                >"$dir/log" 2>&1
            echo "exit $?" >>"$dir/log"
            sed -i "s#$dir#RUN#g" "$dir/log"
        done
        checked=$((checked + 1))
        b=$scratch/runs/$label/before
        a=$scratch/runs/$label/after
        if ! cmp -s "$b/log" "$a/log" || ! same_tree "$b/work" "$a/work"; then
            echo "DIFFERENT: $label"
            differ=$((differ + 1))
        fi
    done
done
echo "$checked runs compared, $differ different"
[ $differ -eq 0 ]
