#!/usr/bin/env bash
# Takes a picture of every dialog of the window program: builds the hidden
# tool target lexicana-dialogshots (tools/dialogshots.cpp) and runs it under a
# virtual X display (Xvfb, through xvfb-run) with settings and desktop folders
# of its own, so the user's are never touched.
#
#   bash scripts/screenshot-dialogs.sh OUTPUT_FOLDER [BUILD_DIR] [NAME...]
#
# BUILD_DIR defaults to build/ (configured with cmake beforehand). NAMEs pick
# some pictures only; "lexicana-dialogshots --list" prints them. Without
# xvfb-run the pictures are taken on Qt's offscreen platform instead.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 1 ] || { sed -n '2,11p' "$0" >&2; exit 2; }
out="$1"
build="${2:-$root/build}"
shift $(( $# >= 2 ? 2 : 1 ))
[ -f "$build/CMakeCache.txt" ] || { echo "no CMake build in $build: configure first" >&2; exit 2; }
cmake --build "$build" --target lexicana-dialogshots -j"$(nproc)"
program="$build/bin/lexicana-dialogshots"

mkdir -p "$out"
out="$(cd "$out" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$program" "$out" "$@"
else
    QT_QPA_PLATFORM=offscreen "$program" "$out" "$@"
fi
