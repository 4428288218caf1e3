#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests (offscreen).
#   ./test.sh              the normal build, in build/test
#   ./test.sh --sanitize   a second build with AddressSanitizer, UndefinedBehaviorSanitizer
#                          and LeakSanitizer, in build/sanitize; any finding fails its test
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
  "") build=build/test ;;
  --sanitize) build=build/sanitize ;;
  *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
esac
scripts/install-deps

options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGREETIX_BUILD_TESTS=ON)
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
timeout=300
if [ "$build" = build/sanitize ]; then
  # -O1 builds faster than -O2 and keeps the reports readable; a finding stops the program.
  sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  options+=("-DCMAKE_C_FLAGS=$sanitize" "-DCMAKE_CXX_FLAGS=$sanitize"
            "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g"
            "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
  # Also while building: the test lists are read by running the test programs.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1
  export LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/leaks.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  timeout=900
fi
cmake -S . -B "$build" "${options[@]}"
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir "$build" --output-on-failure -j2 --timeout "$timeout"
