#!/bin/bash
# The main job on the bundled sample: builds the native programs and runs chimewright's batch
# on samples/chime.wav with every target enabled, then lists what it made.
#
# Everything lands in build/sample-run: the settings file the run uses (config/, prepared
# here so the user's own settings are never read or changed), the temporary files (work/)
# and the ringtone files, one folder per target (out/).
set -eu
cd "$(dirname "$0")/.."
bash tools/install-packages.sh $(cat tools/native-packages.txt)
cmake --preset release >/dev/null
# tarnwick beside chimewright makes the SMAF file.
cmake --build --preset release -j"$(nproc)" --target chimewright-cli tarnwick-cli

run=$PWD/build/sample-run
rm -rf "$run"
mkdir -p "$run/config/chimewright" "$run/work" "$run/out"

# Every target on ("Create", bit 9) with the rate it starts with: 8 kHz for the small
# models and QCP, "Unlimited" + 16 kHz for the large ones and SMAF, "Unlimited" + 32 kHz
# (4-bit) for Android. Normalisation on.
small=544
large=776
cat >"$run/config/chimewright/ferrowind.ini" <<EOF
[STYLE]
normoff=544
n503=$small
n504=$small
n505=$large
f503=$small
f504=$small
f505=$large
p211=$small
p505=$large
p900=$large
d211=$small
d505=$large
sh251=$small
sh505=$large
sh252=$large
so504=$small
so505=$large
so505is=$large
sa700=$large
sa702=$large
p903=$large
l600=$large
n600=$large
m702=$large
Andr=769
mmf=$large
qcp=$small
EOF

status=0
env -u WINDIR XDG_CONFIG_HOME="$run/config" build/release/bin/chimewright \
    --work-dir "$run/work" -o "$run/out" samples/chime.wav || status=$?

echo
echo "made in $run/out:"
made=$(cd "$run/out" && find . -type f | sed 's#^\./##' | sort)
if [ -z "$made" ]; then
    echo "  (nothing)"
else
    (cd "$run/out" && while read -r file; do
        printf '  %-24s %8d bytes\n' "$file" "$(stat -c %s "$file")"
    done <<<"$made")
fi
exit $status
