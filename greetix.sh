#!/usr/bin/env bash
# Installs what is missing, builds Greetix (Release) and starts it with the optional FILE.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGREETIX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
bin=build/release/bin
if [ -x "$bin/greetix" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Greetix needs a display: no DISPLAY or WAYLAND_DISPLAY is set (try: xvfb-run ./greetix.sh)." >&2
    exit 1
  fi
  exec "$bin/greetix" "$@"
fi
# Until the editor window exists, render the birthday card headlessly.
out="$PWD/build/birthday.swf"
"$bin/greetix-cli" render "$bin/template/birthday.grx" -o "$out" --final
echo "Rendered the birthday card to $out"
