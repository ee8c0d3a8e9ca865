#!/usr/bin/env bash
# Runs every libFuzzer target of fuzz/ for a fixed time from its committed seed corpus with its
# dictionary, and fails on any finding: a crash or failed check, a sanitizer report, a leak, an
# input that takes longer than 2 s, or more than 2 GB of memory. New inputs go to a temporary
# folder, so the committed corpus is not changed; a finding is saved as <build>/fuzz-findings/.
# Usage: scripts/ci-fuzz.sh [build-dir] [seconds-per-target]   (the build of scripts/ci-clang.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-clang}
seconds=${2:-45}
targets=(fuzz_settings fuzz_catalogue fuzz_dates fuzz_command_line fuzz_year_calendar)

cmake --build "$build" --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
findings="$build/fuzz-findings"
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=()
summary=()
for t in "${targets[@]}"; do
  echo "-- $t: ${seconds} s"
  mkdir -p "$work/$t"
  options=(-max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/$t-")
  [ -f "fuzz/$t.dict" ] && options+=(-dict="fuzz/$t.dict")
  if "$build/fuzz/$t" "${options[@]}" "$work/$t" "fuzz/corpus/$t" >"$work/$t.log" 2>&1; then
    summary+=("$t: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$t.log" | tail -1)")
  else
    grep -E 'runtime error|ERROR:|SUMMARY:' "$work/$t.log" | head -5 || true
    tail -40 "$work/$t.log"
    failed+=("$t")
    summary+=("$t: FINDING (see $findings/)")
  fi
done
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
