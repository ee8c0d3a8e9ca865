#!/usr/bin/env bash
# Builds Zenitra and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target zenitra
exec build/zenitra "$@"
