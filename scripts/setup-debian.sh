#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and packaging
# Lexicana need (scripts/install-check.sh validates and packages).
#   setup-debian.sh          installs the missing ones
#   setup-debian.sh --list   prints the package names
#   setup-debian.sh --fuzz-list  prints the optional packages of the fuzz
#                                harnesses (scripts/fuzz.sh: clang, libFuzzer)
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  libgtest-dev libxxhash-dev
  fonts-noto-cjk
  xvfb xauth
  desktop-file-utils appstream mandoc shared-mime-info dpkg-dev
)
fuzz_packages=(clang libclang-rt-14-dev)
if [ "${1:-}" = "--fuzz-list" ]; then
  echo "${fuzz_packages[@]}"
  exit 0
fi
if [ "${1:-}" = "--list" ]; then
  echo "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "All build packages are installed."
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
