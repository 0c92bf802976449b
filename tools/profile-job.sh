#!/bin/bash
# Where the console program's own run spends its processor time: profiles one run on the long
# input with every target (the run of tools/time-job.sh, whose set-up it reuses) with perf's
# software clock and DWARF call chains, and prints the share of each stage
# (tools/perf/stages.py).
#
# usage: tools/profile-job.sh [PROGRAM_FOLDER]   (default build/release/bin; the folder must
#        hold chimewright and tarnwick)
set -eu
cd "$(dirname "$0")/.."
bash tools/install-packages.sh $(cat tools/profile-packages.txt)
run=$PWD/build/time-job
if [ ! -f "$run/config/chimewright/ferrowind.ini" ] || [ ! -f "$run/three_minutes.wav" ]; then
    bash tools/time-job.sh 1 >/dev/null
fi
programs=${1:-build/release/bin}
rate=999
rm -rf "$run/profile-work" "$run/profile-out"
mkdir -p "$run/profile-work" "$run/profile-out" "$run/runtime"
perf record -q -e cpu-clock -F $rate --call-graph dwarf,16384 -o "$run/perf.data" -- \
    env -u WINDIR XDG_RUNTIME_DIR="$run/runtime" XDG_CONFIG_HOME="$run/config" \
    "$programs/chimewright" \
    --work-dir "$run/profile-work" -o "$run/profile-out" "$run/three_minutes.wav" >/dev/null 2>&1
perf script -i "$run/perf.data" -F comm,ip,sym 2>/dev/null | python3 tools/perf/stages.py $rate
