#!/bin/bash
# The Windows zip, made from a built Windows tree, holds the six programs, the README and the
# licences and nothing else; unpacked into the tree's Wine prefix, its console program converts
# the sample there, with tarnwick found beside it for the SMAF file:
#   windows_zip_test.sh BUILD_TREE SAMPLE.wav SCRATCH
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../tools/wine-run.sh
tree=$(cd "$1" && pwd)
sample=$2
scratch=$3

fail() { echo "FAILED: $*"; exit 1; }
windows_path() { local unix=$1; echo "Z:${unix//\//\\}"; }

rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)
cpack --config "$tree/CPackConfig.cmake" -G ZIP -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not make the zip"; }
zip=$(ls "$scratch"/packages/chimewright-*-windows-x86_64.zip)
folder=$(basename "$zip" .zip)

expected="$folder/README.md
$folder/chimewright-cli.exe
$folder/chimewright.exe
$folder/licenses/chimewright.txt
$folder/licenses/libogg.txt
$folder/licenses/libvorbis.txt
$folder/tarnwick-cli.exe
$folder/tarnwick.exe
$folder/voxreel-cli.exe
$folder/voxreel.exe"
files=$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "the zip holds other files:
$(diff <(echo "$expected") <(echo "$files"))"

# Unpacked inside the Wine prefix, as a user unpacks it on Windows.
install=$tree/wineprefix/drive_c/zip-test
rm -rf "$install"
mkdir -p "$install"
unzip -q "$zip" -d "$install"
programs=$install/$folder
version=$(tr -d '\r' < <("$wine_run" "$programs/chimewright-cli.exe" --version))
[ "$version" = "chimewright $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")" ] ||
    fail "--version says \"$version\""
mkdir -p "$scratch/out" "$scratch/work"
if ! "$wine_run" "$programs/chimewright-cli.exe" --targets n505,mmf:8kHz,Andr \
    --work-dir "$(windows_path "$scratch/work")" -o "$(windows_path "$scratch/out")" \
    "$(windows_path "$(cd "$(dirname "$sample")" && pwd)/$(basename "$sample")")" >"$scratch/run.log" 2>&1; then
    cat "$scratch/run.log"
    fail "the unpacked chimewright-cli.exe failed"
fi
name=$(basename "$sample" .wav)
for made in n505/$name.mld mmf/$name.mmf Andr/$name.ogg; do
    [ -s "$scratch/out/$made" ] || { cat "$scratch/run.log"; fail "no $made"; }
done
rm -rf "$install"
echo "zip $(basename "$zip"): the six programs, README and licences; an unpacked run made every file"
