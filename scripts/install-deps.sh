#!/usr/bin/env bash
# Installs the Debian packages a make target needs, only those that are missing.
# Usage: scripts/install-deps.sh GROUP...   (groups: build, e2e)
set -euo pipefail

packages_for() {
  case "$1" in
    build) echo cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev mingw-w64 zip python3 yamllint ;;
    e2e) echo wine64 fonts-wine fonts-dejavu-core xvfb x11-xkb-utils xdotool imagemagick python3 ;;
    *) echo "install-deps: unknown group '$1'" >&2; exit 2 ;;
  esac
}

missing=()
for group in "$@"; do
  for package in $(packages_for "$group"); do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
  done
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: need root to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet; fetch them only when an install needs them.
if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
  "${sudo[@]}" apt-get update
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
