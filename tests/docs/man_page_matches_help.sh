#!/bin/bash
# A console program's manual page names exactly the options and switches its --help names:
#   man_page_matches_help.sh PROGRAM PAGE.1
# Both sides are read from their definition lines: in --help the first column of a line that
# starts with two spaces and "-" or "/", in the page the tag line after each ".TP".
set -euo pipefail
program=$1
page=$2

tokens() { grep -oE '(^|[ ,[])(--?[A-Za-z0-9][A-Za-z0-9-]*|/[a-z][a-z0-9]*)' | sed -E 's/^[ ,[]//' | sort -u; }

help_names=$("$program" --help | tr -d '\r' | grep -E '^  [-/]' |
    sed -E 's/^  //; s/  .*$//; s/<[^>]*>//g' | tokens)
page_names=$(sed -n '/^\.TP/{n;p}' "$page" |
    sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/^\.[A-Z]+ //; s/"[^"]*"//g' | tokens)

if [ "$help_names" != "$page_names" ]; then
    echo "$(basename "$page") and $(basename "$program") --help name different options:"
    diff <(echo "$help_names") <(echo "$page_names") | sed -n 's/^< /  only in --help: /p; s/^> /  only in the page: /p'
    exit 1
fi
echo "$(basename "$page"): $(echo "$help_names" | wc -l) options, as in --help"
