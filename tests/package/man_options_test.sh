#!/bin/bash
# Checks that each program's manual page documents exactly the long options
# its --help lists: fails naming every option that one of them has and the
# other lacks, so that neither falls behind when an option is added.
#
# Usage: man_options_test.sh BIN_DIR MAN_DIR
#   BIN_DIR holds qpx-sim and qpx-run, MAN_DIR their pages PROGRAM.1.gz (or
#   PROGRAM.1), as the package installs them.
set -euo pipefail
BIN_DIR=${1:?usage: $0 BIN_DIR MAN_DIR}
MAN_DIR=${2:?usage: $0 BIN_DIR MAN_DIR}

# The long options of --help: CLI11 starts each option's line with two
# blanks, then the short form if any ("-h,--help"); wrapped descriptions are
# indented further.
help_options() {
    "$1" --help | sed -nE 's/^  (-[[:alnum:]], ?)?(--[[:alnum:]][[:alnum:]-]*).*/\2/p' | sort -u
}

# The long options the page's OPTIONS section describes: the item lines,
# indented seven columns, that start with an option ("-h, --help"). Rendered
# by man in the C locale and wide enough that nothing wraps, so hyphens stay
# plain and each item stays on one line.
page_options() {
    LC_ALL=C MANWIDTH=1000 man -l "$1" 2>/dev/null |
        awk '/^[^ ]/ { in_options = ($0 == "OPTIONS"); next } in_options && /^       -/' |
        grep -oE -- '--[[:alnum:]][[:alnum:]-]*' | sort -u || true
}

status=0
for program in qpx-sim qpx-run; do
    page=$MAN_DIR/$program.1.gz
    [ -f "$page" ] || page=$MAN_DIR/$program.1
    from_help=$(help_options "$BIN_DIR/$program")
    from_page=$( [ -f "$page" ] && page_options "$page" || true)
    # An empty list means the reading went wrong, not that both agree.
    if [ -z "$from_help" ] || [ -z "$from_page" ]; then
        echo "$program: no options found in its --help or in the OPTIONS section of $page" >&2
        status=1
    elif [ "$from_help" != "$from_page" ]; then
        echo "$program: only in --help:" $(comm -23 <(echo "$from_help") <(echo "$from_page")) \
            "; only in the manual page:" $(comm -13 <(echo "$from_help") <(echo "$from_page")) >&2
        status=1
    else
        echo "$program: --help and the manual page list the same options:" $from_help
    fi
done
exit $status
