#!/usr/bin/env bash
# Checks what a user gets: installs an existing build into a temporary prefix
# (cmake --install) and, from the same build, makes the Debian package
# (cpack -G DEB) and unpacks it into a temporary folder; on each tree it
#   - runs desktop-file-validate, appstreamcli validate --no-net and
#     mandoc -T lint on the installed desktop entry, metainfo and man page,
#     and checks that the man page names every option of --help,
#   - builds a MIME database from the installed package and checks that
#     "*.lxs" is the set-file type the program's own association writes,
#   - runs the installed lexicana-convert --version and converts a copy of
#     the installed example set with it.
# Any failure stops the script with a non-zero status.
#   scripts/install-check.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "$build is not a configured build folder (cmake -S . -B $build)" >&2
  exit 2
fi
for tool in desktop-file-validate appstreamcli mandoc update-mime-database dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: run scripts/setup-debian.sh" >&2
    exit 2
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "install-check: $*" >&2
  exit 1
}

# The names the per-user association of the options dialog uses.
header=src/platform/association.h
mime_type="$(sed -n 's/.*kSetFileMimeType = "\([^"]*\)".*/\1/p' "$header")"
desktop_id="$(sed -n 's/.*kDesktopFileId = "\([^"]*\)".*/\1/p' "$header")"
[ -n "$mime_type" ] && [ -n "$desktop_id" ] || fail "no set-file MIME type or desktop id in $header"

# check_tree ROOT: the checks on an installed tree (ROOT/bin, ROOT/share).
check_tree() {
  local root="$1" share="$1/share"
  echo "== checking $root"
  local required=(
    "$root/bin/lexicana-convert"
    "$share/lexicana/template"
    "$share/lexicana/manual/menu.html"
    "$share/lexicana/manual/menu-en.html"
    "$share/lexicana/translations/lexicana_en.qm"
    "$share/lexicana/examples/glossary/glossary.lxs"
    "$share/applications/$desktop_id"
    "$share/icons/hicolor/scalable/apps/lexicana.svg"
    "$share/mime/packages/lexicana-lxs.xml"
    "$share/man/man1/lexicana-convert.1"
  )
  grep -q '^LEXICANA_BUILD_GUI:BOOL=OFF' "$build/CMakeCache.txt" || required+=("$root/bin/lexicana")
  for f in "${required[@]}"; do
    [ -e "$f" ] || fail "not installed: ${f#"$root"/}"
  done
  local metainfo
  metainfo="$(ls "$share"/metainfo/*.metainfo.xml)" || fail "no metainfo file installed"

  desktop-file-validate "$share/applications/$desktop_id"
  appstreamcli validate --no-net "$metainfo"
  mandoc -T lint -W warning "$share/man/man1/lexicana-convert.1"
  # Every option of lexicana-convert --help has its place in the man page.
  local page options
  page="$(mandoc -T ascii "$share/man/man1/lexicana-convert.1" | sed 's/.\x08//g')"
  options="$("$root/bin/lexicana-convert" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
  for option in $options; do
    grep -q -- "$option\b" <<<"$page" || fail "the man page does not describe $option"
  done

  # The desktop entry, the MIME package and the metainfo name the type and
  # the entry that the program's association writes.
  grep -qx "MimeType=$mime_type;" "$share/applications/$desktop_id" \
    || fail "$desktop_id does not declare $mime_type"
  grep -q "<launchable type=\"desktop-id\">$desktop_id</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $desktop_id"
  local icon
  icon="$(sed -n 's/^Icon=//p' "$share/applications/$desktop_id")"
  ls "$share"/icons/hicolor/*/apps/"$icon".* >/dev/null 2>&1 || fail "no icon file for Icon=$icon"
  local mime="$work/mime"
  rm -rf "$mime"
  mkdir -p "$mime/packages"
  cp "$share/mime/packages/lexicana-lxs.xml" "$mime/packages/"
  XDG_DATA_DIRS="$work" update-mime-database "$mime"
  grep -q "^80:$mime_type:\*\.lxs$" "$mime/globs2" || fail "*.lxs is not $mime_type in the MIME database"

  # The installed programs run and convert.
  "$root/bin/lexicana-convert" --version
  # It finds its English translation where it is installed.
  local english
  english="$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=en_US.UTF-8 XDG_CONFIG_HOME="$work/settings-en" \
    "$root/bin/lexicana-convert" --no-such-option 2>&1 || true)"
  grep -q "unknown option" <<<"$english" \
    || fail "the installed lexicana-convert does not speak English where the system does"
  local copy="$work/example" settings="$work/settings"
  rm -rf "$copy" "$settings"
  mkdir -p "$copy" "$settings"
  cp -R "$share/lexicana/examples/glossary" "$copy/"
  chmod -R u+w "$copy"
  XDG_CONFIG_HOME="$settings" "$root/bin/lexicana-convert" "$copy/glossary/glossary.lxs" \
    || fail "the installed lexicana-convert could not convert the installed example"
  if diff -rq "$share/lexicana/examples/glossary" "$copy/glossary" >/dev/null; then
    fail "the conversion of the example changed no page"
  fi
  echo "== $root is fine"
}

cmake --build "$build" -j"$(nproc)" --target lexicana_programs

# cmake --install into a temporary prefix.
cmake --install "$build" --prefix "$work/prefix"
check_tree "$work/prefix"

# The Debian package, unpacked rather than installed on this machine.
rm -f "$build"/lexicana_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/lexicana_*_*.deb)"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6core6' || fail "$deb has no computed Qt dependency"
dpkg-deb -x "$deb" "$work/deb"
check_tree "$work/deb/usr"
echo "install-check: the installed tree and $deb are fine"
