#!/usr/bin/env bash
# Checks that a translation file is complete: lupdate run on the sources
# (on a copy of the .ts) finds no text missing from it, and no message is
# left unfinished, vanished (no longer in the sources) or empty.
#
#   check-translations.sh LUPDATE TS_FILE SOURCE_DIR [LUPDATE_OPTIONS ...]
#
# CTest runs it for every .ts (translations/CMakeLists.txt); after adding
# texts, `cmake --build BUILD --target lexicana_lupdate` adds them to the .ts.
set -euo pipefail
lupdate="$1" ts="$2" sources="$3"
shift 3
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$ts")"
cp "$ts" "$copy"
"$lupdate" "$@" "$sources" -ts "$copy" >"$work/lupdate.log" 2>&1 || {
    cat "$work/lupdate.log" >&2
    exit 1
}
status=0
if ! cmp -s "$ts" "$copy"; then
    echo "$ts is not up to date with the sources (run the lexicana_lupdate target):" >&2
    diff -u "$ts" "$copy" >&2 || true
    status=1
fi
if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$copy" >&2; then
    echo "$ts has messages that are untranslated or no longer in the sources" >&2
    status=1
fi
count=$(grep -c '<source>' "$copy" || true)
[ "$status" -ne 0 ] || echo "$(basename "$ts"): $count messages, all translated"
exit "$status"
