#!/usr/bin/env bash
# Installs what is missing, builds Greetix (Release) and starts the editor with the optional
# FILE: a card (.grx) opens for editing, a movie (.swf) plays.
set -euo pipefail
# Say at once, before a long build, when there is no display to show the window on.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Greetix is a desktop program and needs a display, but neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  echo "Start it from a desktop session, or on a machine without one: xvfb-run ./greetix.sh ${*:-}" >&2
  exit 1
fi
# A relative FILE names a file in the folder the command was given in.
args=()
for arg in "$@"; do
  if [ -e "$arg" ]; then args+=("$(cd "$(dirname "$arg")" && pwd)/$(basename "$arg")"); else args+=("$arg"); fi
done
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGREETIX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target greetix
exec build/release/bin/greetix "${args[@]}"
