#!/usr/bin/env bash
# Regenerates the committed generated files from their pinned inputs and fails when they differ
# from what is committed: the VSOP87D Earth terms (tools/vsop87) and the catalogue texts
# (tools/catalogue). The inputs come from the npm registry (npm pack) and the Debian archive
# (apt-get download) into tools/inputs/ (git-ignored, kept between runs) and are checked against
# their SHA-256 sums before use. With CI=true the missing tools (python3, npm, tzdata) are
# installed through scripts/install-deps.sh (as root; otherwise it prints the command).
# Usage: scripts/check-generated.sh [inputs-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
inputs=${1:-tools/inputs}
mkdir -p "$inputs"
inputs=$(cd "$inputs" && pwd)

# The pinned inputs: file name, SHA-256, and how to fetch it.
pinned=(
  "astronomia-4.2.0.tgz ac5f73398a6c788f9ee371011258f18a72b5194009b3c7fc6e702dffe230e679 npm astronomia@4.2.0"
  "d3-celestial-0.7.35.tgz 490796718c201e15f38c324bda5458fc4de22519313093bf261b628185eaae81 npm d3-celestial@0.7.35"
  "city-timezones-1.3.4.tgz 4864dc69a73b076983fceff5ad658e4b90b6c4d190f3b1b79992cfeb566daecf npm city-timezones@1.3.4"
  "world-atlas-2.0.2.tgz 032e7765f2ce00edaeafec23ff22bc3b77e42987c257da944cc585b452c05b97 npm world-atlas@2.0.2"
  "stellarium-data_0.22.2-1_all.deb 45aaebf39a814acbd6dcccea058c2f5651bcb5635599da03a215feeb51f4d5a5 deb stellarium-data=0.22.2-1"
)

# The tools: the generators need Python 3.9 (zoneinfo) and the system time zone database.
extra=()
command -v python3 >/dev/null 2>&1 || extra+=(python3)
command -v npm >/dev/null 2>&1 || extra+=(npm)
[ -f /usr/share/zoneinfo/tzdata.zi ] || extra+=(tzdata)
if [ ${#extra[@]} -gt 0 ]; then
  if [ "${CI:-}" = true ]; then
    scripts/install-deps.sh "${extra[@]}"
  else
    echo "check-generated: missing ${extra[*]}; install them (Debian: apt-get install ${extra[*]})" >&2
    exit 1
  fi
fi
python3 -c 'import sys; sys.exit(sys.version_info < (3, 9))' ||
  { echo "check-generated: python3 is older than 3.9" >&2; exit 1; }

fetch() {  # fetch <file> <kind> <package>
  case "$2" in
    npm) (cd "$inputs" && npm pack --silent "$3" >/dev/null) ;;
    deb)
      # apt-get download writes into the current folder; as root it may need fresh package lists.
      if ! (cd "$inputs" && apt-get download "$3"); then
        [ "$(id -u)" -eq 0 ] || return 1
        apt-get update >/dev/null && (cd "$inputs" && apt-get download "$3")
      fi
      ;;
  esac
}

for entry in "${pinned[@]}"; do
  read -r file sum kind package <<<"$entry"
  if [ ! -f "$inputs/$file" ]; then
    echo "== fetch $package"
    fetch "$file" "$kind" "$package" || { echo "check-generated: cannot fetch $package" >&2; exit 1; }
  fi
  if ! echo "$sum  $inputs/$file" | sha256sum --check --status; then
    echo "check-generated: $inputs/$file is not the pinned input (SHA-256 $sum);" \
      "remove it and run again" >&2
    exit 1
  fi
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
tar xzf "$inputs/astronomia-4.2.0.tgz" -C "$unpacked" package/data/vsop87Dearth.js

failed=0
echo "== VSOP87D Earth terms (src/core/generated)"
python3 tools/vsop87/generate_earth_terms.py --check "$unpacked/package/data/vsop87Dearth.js" || failed=1
echo "== Catalogue texts (resources/catalogue)"
python3 tools/catalogue/convert.py --inputs "$inputs" --check || failed=1

if [ "$failed" -ne 0 ]; then
  echo "check-generated: committed generated files differ from what their generators make" \
    "from the pinned inputs (see above); regenerate them as the tools' READMEs describe" >&2
  exit 1
fi
echo "check-generated: all generated files match"
