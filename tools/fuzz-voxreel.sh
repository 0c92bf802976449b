#!/bin/sh
# Builds and runs the libFuzzer target of voxreel's file readers (MFi and SMAF) with
# AddressSanitizer and UndefinedBehaviorSanitizer. Needs clang (Debian's clang package ships
# libFuzzer). Not part of the normal build.
#
#   tools/fuzz-voxreel.sh [SECONDS]     run for SECONDS (default 600), corpus kept in
#                                       build/fuzz/voxreel-corpus
# VOXREEL_FUZZ_SEEDS may name a folder of further .mld and .mmf files to start from.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-packages.sh" $(cat "$root/tools/fuzz-packages.txt")
out="$root/build/fuzz"
seconds=${1:-600}
mkdir -p "$out/voxreel-corpus"

# Seeds: tiny hand-made headers, ringtone files kept with the tests, and the sample run's files.
printf 'melo\000\000\000\020\000\003\001\001\001trac\000\000\000\004\000\377\337\000' \
    > "$out/voxreel-corpus/seed-mfi"
printf 'MMMD\000\000\000\017CNTI\000\000\000\005\000\001\000\000\000\000\000' \
    > "$out/voxreel-corpus/seed-smaf"
# Every family's files come in with the sample run's outputs (tools/run-sample.sh), when made.
n=0
find "$root/samples" "$root/tests/data" "$root/build/sample-run/out" ${VOXREEL_FUZZ_SEEDS:-} \
    \( -name '*.mld' -o -name '*.mmf' \) 2>/dev/null |
    while read -r seed; do n=$((n + 1)); cp "$seed" "$out/voxreel-corpus/seed-$n-$(basename "$seed")"; done

flags="-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$root"
sources="$root/tools/fuzz/voxreel_parsers_fuzz.cpp $root/voxreel/model/*.cpp
         $root/voxreel/render/voice_decoder.cpp $root/voxreel/render/post_filter.cpp
         $root/shared/*.cpp"
# shellcheck disable=SC2086
clang++ $flags $sources -o "$out/voxreel_parsers_fuzz"

# Inputs up to 64 KiB; any single input slower than 10 s counts as a failure.
"$out/voxreel_parsers_fuzz" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -print_final_stats=1 "$out/voxreel-corpus"
