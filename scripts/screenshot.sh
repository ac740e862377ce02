#!/usr/bin/env bash
# Takes the README's picture of the main window: runs build/bin/lexicana on a
# copy of the example glossary under a virtual X display (Xvfb, through
# xvfb-run) with a settings folder of its own, and saves what the window
# shows with its hidden option "--screenshot FILE".
#
#   bash scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG]
#
# Defaults: build/ and docs/mainwindow.png. Without xvfb-run the picture is
# taken on Qt's offscreen platform instead.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="${2:-$root/docs/mainwindow.png}"
program="$build/bin/lexicana"
[ -x "$program" ] || { echo "no $program: build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/glossary" "$work/"
mkdir -p "$(dirname "$out")"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

# Neither the user's settings nor the user's recent files are touched.
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
command=("$program" --screenshot "$out" "$work/glossary/glossary.lxs")

if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "${command[@]}"
else
    QT_QPA_PLATFORM=offscreen "${command[@]}"
fi
echo "saved $out"
