#!/bin/bash
# The Debian package, made from a built release tree, holds what a user installs and works
# once installed:
#   deb_package_test.sh BUILD_TREE SAMPLE.wav SCRATCH
# Checks the control data and the file list, runs lintian (no errors), then unpacks the
# package into a root of its own and converts the sample with the installed programs, the
# settings and temporary files in the scratch folder.
set -euo pipefail
tree=$1
sample=$2
scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAILED: $*"; exit 1; }

cpack --config "$tree/CPackConfig.cmake" -G DEB -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not make the package"; }
deb=$(ls "$scratch"/packages/chimewright_*_amd64.deb)

# Control data: the suite's version and the libraries found from the programs.
version=$("$tree/bin/chimewright" --version | sed 's/^chimewright //')
[ "$(dpkg-deb -f "$deb" Package)" = chimewright ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libvorbis0a libvorbisenc2 libogg0 libsndfile1 libstdc++6 libc6; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The file list, and nothing else.
expected="./usr/bin/chimewright
./usr/bin/tarnwick
./usr/bin/voxreel
./usr/share/doc/chimewright/README.md
./usr/share/doc/chimewright/changelog.gz
./usr/share/doc/chimewright/copyright
./usr/share/doc/chimewright/licenses/libogg.txt
./usr/share/doc/chimewright/licenses/libvorbis.txt
./usr/share/man/man1/chimewright.1.gz
./usr/share/man/man1/tarnwick.1.gz
./usr/share/man/man1/voxreel.1.gz"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$files" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$files"))"

# lintian: errors fail, warnings are shown.
if ! command -v lintian >/dev/null; then fail "lintian is not installed"; fi
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"

# Installed into a root of its own, the programs run and convert the sample, tarnwick found
# beside chimewright (the SMAF file needs it).
root=$scratch/root
dpkg-deb -x "$deb" "$root"
[ "$("$root/usr/bin/chimewright" --version)" = "chimewright $version" ] || fail "--version"
[ "$("$root/usr/bin/tarnwick" --version)" = "tarnwick $version" ] || fail "tarnwick --version"
[ "$("$root/usr/bin/voxreel" --version)" = "voxreel $version" ] || fail "voxreel --version"
mkdir -p "$scratch/config/chimewright" "$scratch/out" "$scratch/cache"
printf '[STYLE]\nn505=776\nmmf=776\nAndr=769\n' >"$scratch/config/chimewright/ferrowind.ini"
env -u WINDIR XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
    "$root/usr/bin/chimewright" -o "$scratch/out" "$sample" >"$scratch/run.log" 2>&1 ||
    { cat "$scratch/run.log"; fail "the installed chimewright failed"; }
name=$(basename "$sample" .wav)
for made in n505/$name.mld mmf/$name.mmf Andr/$name.ogg; do
    [ -s "$scratch/out/$made" ] || fail "no $made"
done
"$root/usr/bin/voxreel" --no-play "$scratch/out/n505/$name.mld" >/dev/null || fail "voxreel"
echo "package $(basename "$deb"): control data, files, lintian and an installed run are right"
