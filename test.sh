#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite:
# unit tests, the core tests again under ASan+UBSan, fuzz corpora, widget
# tests offscreen and end-to-end tests under Xvfb. Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

JOBS=${JOBS:-$(nproc)}

# Core tests with sanitizers, in their own tree (no Qt, no benchmarks).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_WERROR=ON \
  -DVANTREL_BUILD_APP=OFF -DVANTREL_BUILD_TOOLS=OFF -DVANTREL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" >/dev/null
cmake --build build-asan -j "$JOBS"

# The main tree registers the sanitized test programs beside its own.
# Line tables only: enough for stack traces, much cheaper to compile.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1" -DVANTREL_WERROR=ON \
  -DVANTREL_ASAN_TEST_DIR="$PWD/build-asan" >/dev/null
cmake --build build -j "$JOBS"
cmake --build build -j "$JOBS" --target bench

# The program and tools as ./run.sh builds them (-O3): the optimiser's own
# warnings must not break the build people actually run.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_WERROR=ON \
  -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$JOBS"

# The Debian package, built and checked from that tree. Skipped on CI, where
# time is short, unless VANTREL_BUILD_DEB=1 asks for it.
if [ -z "${CI:-}" ] || [ "${VANTREL_BUILD_DEB:-}" = 1 ]; then
  scripts/build-deb.sh build-release >/dev/null
fi

cd build
exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest -j "$JOBS" --output-on-failure --timeout 600
