#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests (offscreen).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGREETIX_BUILD_TESTS=ON
cmake --build build/test
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir build/test --output-on-failure -j2 --timeout 300
