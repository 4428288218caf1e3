#!/bin/sh
# Makes the peer reference pictures: the test movies written by the player tests, drawn by
# an independent player (../shared/tools/swfshot beside the checkout), frame 0 each at the
# movie's size unless the movie's name is given with a frame and a scale (NAME:FRAME or
# NAME:FRAME:SCALE).
# Usage: make-peer-references.sh BUILD_DIR [NAME:FRAME[:SCALE] ...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
swfshot="$root/../shared/tools/swfshot/swfshot"
build=$1; shift
movies=$(mktemp -d)
GREETIX_SAVE_MOVIES=$movies QT_QPA_PLATFORM=offscreen "$build/bin/player_test" \
  --gtest_filter='PeerReference.*' >/dev/null || true
mkdir -p "$here/peer"
for swf in "$movies"/*.swf; do
  name=$(basename "$swf" .swf)
  frame=0
  scale=1
  for spec in "$@"; do
    case "$spec" in
      "$name":*:*) rest=${spec#*:}; frame=${rest%%:*}; scale=${rest#*:} ;;
      "$name":*) frame=${spec#*:} ;;
    esac
  done
  out=$(mktemp -d)
  "$swfshot" "$swf" "$out" --frames "$frame" --scale "$scale" >/dev/null
  cp "$out"/*.png "$here/peer/$name-f$frame.png"
  rm -rf "$out"
done
rm -rf "$movies"
