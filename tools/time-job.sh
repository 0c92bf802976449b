#!/bin/bash
# Times the console program on the long input (3 minutes, 44100 Hz stereo; tools/long_input)
# with every target enabled, next to FFTW's estimate plan doing the 16 transforms of 2^23
# points that its eight temporary files ask for (bench/job_bench.cpp --fftw-16, one core).
# The two run in turn, ROUNDS times (default 5); each round's ratio is the program's whole
# run over FFTW's transforms, by wall clock and by processor time (user + system; the program
# may use every core, FFTW one), and the medians are printed at the end, with the program's
# peak memory (MiB).
#
# usage: tools/time-job.sh [ROUNDS] [PROGRAM_FOLDER]   (default build/release/bin; the folder
#        must hold chimewright and tarnwick, so an earlier build can be timed the same way)
#
# Everything lands in build/time-job: the input, the settings file, the temporary files
# (work/) and the ringtone files (out/).
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-5}
programs=${2:-build/release/bin}
bash tools/install-packages.sh $(cat tools/native-packages.txt tools/bench-packages.txt)
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target chimewright-cli tarnwick-cli make_long_input >/dev/null
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target job_bench >/dev/null

run=$PWD/build/time-job
mkdir -p "$run/config/chimewright" "$run/work" "$run/out" "$run/runtime"
# tarnwick's single-instance lock lives in XDG_RUNTIME_DIR (else /tmp, machine-wide): a folder
# of the run's own keeps other users' tarnwick from refusing ours with 1033.
chmod 700 "$run/runtime"
[ -f "$run/three_minutes.wav" ] || build/release/bin/make_long_input "$run/three_minutes.wav"

# tools/every-target-settings.ini: every target on ("Create", 0x200), with options that
# between them need all eight temporary files: 8 kHz mono, "4kHz" (narrow), "8kStereo",
# "16kHz", "16kStereo" and both 32 kHz options on the families that offer them; "Unlimited"
# (0x100) on the large models. SMAF through tarnwick with "4kHz" + "Unlimited"; Android at
# 32 kHz. Normalisation on.
cp tools/every-target-settings.ini "$run/config/chimewright/ferrowind.ini"

# One whole run; prints "wall user system peak-KiB". A failed run ends the script.
program() {
    if ! env -u WINDIR XDG_RUNTIME_DIR="$run/runtime" XDG_CONFIG_HOME="$run/config" \
        /usr/bin/time -f '%e %U %S %M' -o "$run/time.txt" "$programs/chimewright" \
        --work-dir "$run/work" -o "$run/out" "$run/three_minutes.wav" >"$run/program.log" 2>&1
    then
        echo "the console program failed:" >&2
        cat "$run/program.log" >&2
        exit 1
    fi
    cat "$run/time.txt"
}

median() {
    sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) processors"
printf '%-6s %8s %8s %8s %9s %10s %9s %8s %8s\n' round wall_s user_s sys_s peak_MiB \
    fftw_wall fftw_cpu wall_x cpu_x
: >"$run/rounds.txt"
for round in $(seq "$rounds"); do
    program >"$run/round.txt"
    read -r wall user sys peak <"$run/round.txt"
    read -r fftw fftwCpu < <(build/bench/bin/job_bench --fftw-16)
    wallRatio=$(awk -v a="$wall" -v b="$fftw" 'BEGIN {printf "%.2f", a / b}')
    cpuRatio=$(awk -v u="$user" -v s="$sys" -v b="$fftwCpu" 'BEGIN {printf "%.2f", (u + s) / b}')
    printf '%-6s %8s %8s %8s %9.1f %10s %9s %8s %8s\n' "$round" "$wall" "$user" "$sys" \
        "$(awk -v k="$peak" 'BEGIN {print k / 1024}')" "$fftw" "$fftwCpu" "$wallRatio" "$cpuRatio"
    echo "$wall $fftw $wallRatio $peak $cpuRatio" >>"$run/rounds.txt"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "median: program $(cut -d' ' -f1 "$run/rounds.txt" | median) s," \
    "FFTW's 16 transforms $(cut -d' ' -f2 "$run/rounds.txt" | median) s," \
    "ratio by wall clock $(cut -d' ' -f3 "$run/rounds.txt" | median)," \
    "by processor time $(cut -d' ' -f5 "$run/rounds.txt" | median)," \
    "peak $(cut -d' ' -f4 "$run/rounds.txt" | median | awk '{printf "%.1f", $1 / 1024}') MiB"
