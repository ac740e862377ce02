#!/usr/bin/env bash
# Converts fresh copies of the example glossaries (examples/glossary, in
# Shift_JIS, and examples/glossary-utf8, in UTF-8) with
# build/bin/lexicana-convert and prints where the pages are. The checked-in
# files are never touched, and the conversion reads its options from an empty
# settings folder of its own, so the user's settings are not touched either.
#   scripts/run-example.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
convert="$build/bin/lexicana-convert"
if [ ! -x "$convert" ]; then
  echo "$convert not found: build first (cmake -S . -B $build && cmake --build $build)" >&2
  exit 2
fi
out="$(pwd)/$build/example"
rm -rf "$out"
mkdir -p "$out"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
for set in glossary glossary-utf8; do
  cp -R "examples/$set" "$out/"
  XDG_CONFIG_HOME="$settings" "$convert" "$out/$set/glossary.lxs"
  echo
  echo "The converted pages of examples/$set are in $out/$set/html/:"
  for page in "$out/$set"/html/*.html; do
    echo "  file://$page"
  done
done
echo "Open index.html of each in a browser."
