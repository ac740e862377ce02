#!/usr/bin/env bash
# Takes the README's pictures of the main window: runs build/bin/lexicana on
# a copy of the example glossary under a virtual X display (Xvfb, through
# xvfb-run) with a settings folder of its own, in English and in Japanese,
# and saves what the window shows (900x600) with its hidden option
# "--screenshot FILE".
#
#   bash scripts/screenshot.sh [BUILD_DIR] [OUTPUT_DIR]
#
# Defaults: build/ and docs/, giving docs/screenshot-en.png and
# docs/screenshot-ja.png. Without xvfb-run the pictures are taken on Qt's
# offscreen platform instead. The Japanese glyphs come from fonts-noto-cjk.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
outdir="${2:-$root/docs}"
program="$build/bin/lexicana"
[ -x "$program" ] || { echo "no $program: build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$outdir"
outdir="$(cd "$outdir" && pwd)"

# The interface language follows the locale's language (LANG); LC_ALL and
# LC_MESSAGES would override it, LANGUAGE would be looked at after it.
unset LC_ALL LC_MESSAGES LANGUAGE
for language in en ja; do
    case "$language" in
    en) locale=en_US.UTF-8 ;;
    ja) locale=ja_JP.UTF-8 ;;
    esac
    rm -rf "$work/glossary" "$work/config"
    cp -r "$root/examples/glossary" "$work/"
    # Neither the user's settings nor the user's recent files are touched.
    export XDG_CONFIG_HOME="$work/config"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    out="$outdir/screenshot-$language.png"
    command=(env LANG="$locale" "$program" --screenshot "$out" "$work/glossary/glossary.lxs")
    if command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "${command[@]}"
    else
        QT_QPA_PLATFORM=offscreen "${command[@]}"
    fi
    echo "saved $out"
done
