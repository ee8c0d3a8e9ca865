#!/usr/bin/env bash
# Fetches the texture maps that make_pictures.py renders: Debian's stellarium-data package,
# unpacked into tools/inputs/ (git-ignored). Needs apt (Debian 12) and dpkg-deb.
set -euo pipefail
inputs="$(cd "$(dirname "$0")/../.." && pwd)/tools/inputs"
mkdir -p "$inputs"
cd "$inputs"
if [ ! -d stellarium-data/usr/share/stellarium/textures ]; then
  apt-get download stellarium-data=0.22.2-1
  dpkg-deb -x stellarium-data_0.22.2-1_all.deb stellarium-data
fi
echo "$inputs/stellarium-data/usr/share/stellarium/textures"
