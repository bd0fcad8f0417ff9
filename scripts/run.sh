#!/usr/bin/env bash
# Builds and starts a programmer: scripts/run.sh [korvan]
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-korvan}"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target "$program"
exec "build/$program"
