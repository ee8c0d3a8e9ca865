#!/usr/bin/env bash
# Installs the Debian packages Zenitra needs to build, run and test. As root it calls apt-get;
# otherwise it prints the exact command to run and stops with exit code 1.
# Usage: scripts/install-deps.sh [more Debian packages a check needs ...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  zlib1g-dev libjpeg-dev libgif-dev
  libfontconfig-dev  # fontconfig, read on a second thread at start-up
  libgtest-dev libbenchmark-dev
  libical-dev  # the tests read the exported .ics with libical
  poppler-utils  # and the printed PDF pages with pdftotext
  fonts-dejavu-core
  "$@"
  tzdata  # the time-zone database: summer time of every place (QTimeZone)
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "Zenitra needs these Debian packages. Install them with:" >&2
  if command -v sudo >/dev/null 2>&1; then
    echo "  sudo apt-get install ${missing[*]}" >&2
    echo "or, as root without sudo:" >&2
  fi
  echo "  su -c 'apt-get install ${missing[*]}'" >&2
  echo "Afterwards run the script again." >&2
  exit 1
fi
