#!/bin/bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and fuzzes each for SECONDS (default 600), one after the other.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]     all targets, or the ones named
#
# Each target starts from its seeds (fuzz/seeds/<target>/, read only) and the corpus earlier
# runs grew (build/fuzz/corpus/<target>/). A crash, a hang, a leak or an allocation beyond the
# limit is saved in build/fuzz/findings/<target>/; docs/FUZZING.md says how one becomes a
# fixture. Prints per target: seconds, executions, coverage, findings. Exit status 1 when any
# run ended with a finding.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
[ $# -gt 0 ] && shift

# target  longest input  dictionary (fuzz/dict/)
table="chimewright_wav_fuzz   16384 wav.dict
compressed_input_fuzz  16384 wav.dict
settings_fuzz          8192  ini.dict
list_import_fuzz       8192  -
mmmd_file_fuzz         16384 ringtone.dict
tarnwick_wave_fuzz     16384 wav.dict
voxreel_parsers_fuzz   65536 ringtone.dict"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(awk '{print $1}' <<<"$table"))

bash "$root/tools/install-packages.sh" $(cat "$root/tools/native-packages.txt" "$root/tools/fuzz-packages.txt")
out=$root/build/fuzz
cmake -S "$root/fuzz" -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j2 --target "${targets[@]}" >/dev/null

# Readers that take a path get their inputs through files: memory is faster than the disk.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

status=0
summary=()
for target in "${targets[@]}"; do
    row=$(awk -v t="$target" '$1 == t' <<<"$table")
    [ -n "$row" ] || { echo "no fuzz target $target" >&2; exit 2; }
    read -r _ maxLen dict <<<"$row"
    corpus=$out/corpus/$target
    findings=$out/findings/$target
    mkdir -p "$corpus" "$findings" "$out/logs"
    log=$out/logs/$target-$(date +%Y%m%d-%H%M%S).log
    options=(-max_len="$maxLen" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=1024
             -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/")
    [ "$dict" != - ] && options+=(-dict="$root/fuzz/dict/$dict")
    before=$(find "$findings" -type f | wc -l)
    started=$(date +%s)
    "$out/$target" "${options[@]}" "$corpus" "$root/fuzz/seeds/$target" >"$log" 2>&1 || true
    took=$(( $(date +%s) - started ))
    found=$(( $(find "$findings" -type f | wc -l) - before ))
    [ "$found" -gt 0 ] && status=1
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    summary+=("$(printf '%-24s %6ss %12s executions  %6s edges  %d findings' \
        "$target" "$took" "${executions:-?}" "${coverage:-?}" "$found")")
    echo "${summary[-1]}   (log: ${log#"$root"/})"
done
echo
echo "target                     time   executions      coverage  findings"
printf '%s\n' "${summary[@]}"
exit $status
