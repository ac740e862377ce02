#!/usr/bin/env bash
# Converts a fresh copy of the example glossary (examples/glossary) with
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
cp -R examples/glossary "$out/"
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME="$settings" "$convert" "$out/glossary/glossary.lxs"
echo
echo "The converted example pages are in $out/glossary/html/:"
for page in "$out"/glossary/html/*.html; do
  echo "  file://$page"
done
echo "Open the first one (index.html) in a browser."
