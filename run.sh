#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-release --target vantrel
exec build-release/bin/vantrel "$@"
