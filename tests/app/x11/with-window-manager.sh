#!/bin/sh
# Runs a test program on a private X server with a window manager, as a user's desktop
# has one. Exits 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -u
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "no $tool: skipped"; exit 77; }
done
display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display: skipped"; exit 77; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $manager $server 2>/dev/null; wait 2>/dev/null' EXIT
export DISPLAY="$display"
for i in $(seq 1 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# WM_CONFIG: an openbox configuration of the test's own.
openbox ${WM_CONFIG:+--config-file "$WM_CONFIG"} >/dev/null 2>&1 &
manager=$!
# The manager is up once it has announced itself on the root window.
for i in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

QT_QPA_PLATFORM=xcb "$@"
