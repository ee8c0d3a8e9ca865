#!/usr/bin/env bash
# Checks the installation from an existing build folder (built by scripts/test.sh): installs into
# a staging folder (DESTDIR) and fails if an expected file is missing; validates the desktop entry,
# the AppStream metadata and the manual page; runs the staged program with no display; builds the
# Debian package and checks its dependencies. Usage: scripts/check-install.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
scripts/install-deps.sh desktop-file-utils appstream man-db file dpkg-dev

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=$(sed -n 's/^set(ZENITRA_APP_ID "\(.*\)")$/\1/p' cmake/ZenitraInstall.cmake)

echo "== Install into a staging folder (prefix /usr)"
cmake --build "$build" --target zenitra zenitra_man_page
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage/root" && find . -type f | sort)
expected=(
  usr/bin/zenitra
  usr/share/applications/zenitra.desktop
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/icons/hicolor/scalable/apps/zenitra.svg
  usr/share/icons/hicolor/48x48/apps/zenitra.png
  usr/share/icons/hicolor/128x128/apps/zenitra.png
  usr/share/icons/hicolor/256x256/apps/zenitra.png
  usr/share/man/man1/zenitra.1.gz
  usr/share/doc/zenitra/copyright
)
missing=0
for f in "${expected[@]}"; do
  if [ ! -f "$stage/root/$f" ]; then
    echo "MISSING: $f" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 1
for px in 48 128 256; do
  file "$stage/root/usr/share/icons/hicolor/${px}x${px}/apps/zenitra.png" | grep -q "PNG image data, $px x $px" ||
    { echo "The ${px}x${px} icon is not a ${px} px PNG." >&2; exit 1; }
done

echo "== Validate the desktop entry, the AppStream metadata and the manual page"
desktop-file-validate "$stage/root/usr/share/applications/zenitra.desktop"
appstreamcli validate --no-net "$stage/root/usr/share/metainfo/$app_id.metainfo.xml"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$stage/root/usr/share/man/man1/zenitra.1.gz" 2>&1 >/dev/null)
if [ -n "$man_warnings" ]; then
  echo "The manual page gives warnings:" >&2
  echo "$man_warnings" >&2
  exit 1
fi

echo "== Run the staged program without a display"
run_quiet() {  # runs the staged program with no desktop; fails on any text on stderr
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM \
    "$stage/root/usr/bin/zenitra" "$@" 2>"$stage/stderr"
  if [ -s "$stage/stderr" ]; then
    echo "zenitra $* wrote to stderr:" >&2
    cat "$stage/stderr" >&2
    return 1
  fi
}
got=$(run_quiet --version)
[ "$got" = "Zenitra $version" ] || { echo "zenitra --version printed \"$got\", expected \"Zenitra $version\"" >&2; exit 1; }
echo "$got"
run_quiet render --place "Chemnitz, D" --at 2025-01-04T18:30 --set Linien=1 --set Horizont=1 -o "$stage/x.png"
file "$stage/x.png" | grep -q "PNG image data, 1054 x 664" || { echo "render wrote no 1054x664 PNG" >&2; exit 1; }
echo "render: $(file -b "$stage/x.png")"

# Every command and option that --help names must appear in the manual page (its source, where
# no line is hyphenated).
zcat "$stage/root/usr/share/man/man1/zenitra.1.gz" | sed 's/\\-/-/g' >"$stage/man.txt"
help=$(run_quiet --help)
words=$( (grep -oE '(^|[ [])--?[a-z]+' <<<"$help" | tr -d ' ['; grep -oE '^  zenitra [a-z]+' <<<"$help" | cut -c11-) | sort -u)
for w in $words; do
  grep -qE -- "(^|[^-a-z])$w([^-a-z]|$)" "$stage/man.txt" || { echo "The manual page does not mention \"$w\"." >&2; exit 1; }
done
echo "The manual page names all of: $(echo $words)"

echo "== Debian package"
(cd "$stage" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$stage"/zenitra_"$version"_*.deb)
dpkg-deb --field "$deb" Package Version Section Maintainer Depends
depends=$(dpkg-deb --field "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libgif7 zlib1g fonts-dejavu-core tzdata; do
  grep -q "$p" <<<"$depends" || { echo "The package does not depend on $p." >&2; exit 1; }
done
echo "Install checks passed."
