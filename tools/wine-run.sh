#!/bin/bash
# Runs one Windows program under Wine: wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# CTest uses this as the cross-compiling emulator of the Windows build, so every test program
# goes through it. The Wine prefix lives in the build tree ("wineprefix" beside CMakeCache.txt,
# in the nearest folder above the program that has one) unless CW_WINEPREFIX names another.
# It is made on first use, under the Japanese locale so that its ANSI code page is 932.
# CW_UI_LANGUAGE=english gives the program an English user interface (see below).
#
# The program's standard output and error go to files and are copied out once it has ended:
# Wine's own service processes inherit whatever the program was given, and a pipe held open by
# them would keep a caller such as CTest waiting until the Wine server exits. Standard input is
# the null device for the same reason.
set -u

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
    exit 2
fi
program=$1
shift

find_build_tree() {
    local dir
    dir=$(cd "$(dirname "$1")" && pwd) || return 1
    while [ "$dir" != "/" ]; do
        if [ -f "$dir/CMakeCache.txt" ]; then
            echo "$dir"
            return 0
        fi
        dir=$(dirname "$dir")
    done
    return 1
}

if [ -n "${CW_WINEPREFIX:-}" ]; then
    WINEPREFIX=$CW_WINEPREFIX
elif tree=$(find_build_tree "$program"); then
    WINEPREFIX=$tree/wineprefix
else
    echo "wine-run.sh: no build tree above $program; set CW_WINEPREFIX" >&2
    exit 2
fi
export WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=win64

# The Japanese locale gives the prefix code page 932 and lets Wine use non-ASCII file names.
if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
else
    echo "wine-run.sh: locale ja_JP.UTF-8 is missing (tools/windows-tests.sh makes it)" >&2
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
fi

# Makes the prefix once; parallel test runs wait on the lock for the first one to finish.
prepare_prefix() {
    local ready=$WINEPREFIX/.chimewright-ready
    [ -f "$ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$ready" ]; then
        rm -rf "$WINEPREFIX"
        local log=$WINEPREFIX.log
        {
            # No Mono or Gecko installers: the programs need neither, and they would ask.
            WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i &&
                wineserver -w &&
                # Dialogs close without waiting for a window manager that Xvfb does not have.
                wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
                wineserver -w
        } </dev/null >"$log" 2>&1 9>&-
        local status=$?
        if [ $status -ne 0 ]; then
            echo "wine-run.sh: making the Wine prefix failed ($status); see $log" >&2
            exec 9>&-
            return 1
        fi
        touch "$ready"
    fi
    exec 9>&-
}
prepare_prefix || exit 1

# Wine draws caption buttons, scroll-bar arrows and check marks with its Marlett font, but this
# Wine does not look in the folder Debian's fonts-wine puts it in, so it drew "0 1 r" instead:
# the prefix gets a copy (renamed into place, so parallel runs never see half a file).
wine_font=/usr/share/wine/fonts/marlett.ttf
prefix_font=$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf
if [ -f "$wine_font" ] && [ ! -f "$prefix_font" ] && [ -d "$(dirname "$prefix_font")" ]; then
    cp "$wine_font" "$prefix_font.$$" && mv -f "$prefix_font.$$" "$prefix_font"
fi

# CW_UI_LANGUAGE=english runs the program with an English user interface (and the programs it
# starts: Wine hands a child its parent's locale, whatever the child's environment block
# says). Only the language of messages changes; the ANSI code page stays 932. Wine reads the
# locale names itself, so en_US.UTF-8 need not be installed.
case ${CW_UI_LANGUAGE:-} in
    english)
        unset LC_ALL
        export LC_CTYPE=$LANG LC_MESSAGES=en_US.UTF-8
        ;;
    ""|japanese) ;;
    *)
        echo "wine-run.sh: CW_UI_LANGUAGE is english, japanese or unset, not $CW_UI_LANGUAGE" >&2
        exit 2
        ;;
esac

out=$(mktemp) || exit 1
err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT

wine "$program" "$@" </dev/null >"$out" 2>"$err" &
pid=$!
trap 'kill "$pid" 2>/dev/null' INT TERM
wait "$pid"
status=$?
# A signal ends the wait early; wait again for the program's own exit status.
while kill -0 "$pid" 2>/dev/null; do
    wait "$pid"
    status=$?
done

cat "$out"
cat "$err" >&2
exit $status
