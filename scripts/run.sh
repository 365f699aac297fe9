#!/usr/bin/env bash
# Installs what is missing, builds Palmora and starts it on the sample
# installation. With no display it runs on a virtual one, saves a screenshot of
# the main window and exits.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

program="$root/build/bin/palmora"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

shot="$root/build/palmora-screenshot.png"
runtime=""
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime="$(mktemp -d)"
  export XDG_RUNTIME_DIR="$runtime"
fi
app=""
# Xvfb picks a free display number and writes it to the file.
numberfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app "$xvfb" 2>/dev/null || true; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
  [ -s "$numberfile" ] && break
  sleep 0.1
done
if [ ! -s "$numberfile" ]; then
  echo "The virtual display (Xvfb) did not start" >&2
  exit 1
fi
display=":$(head -n 1 "$numberfile")"
rm -f "$numberfile"
DISPLAY="$display" "$program" &
app=$!
# The splash shows for a second, then the main window opens.
sleep 4
if ! kill -0 "$app" 2>/dev/null; then
  echo "Palmora exited early" >&2
  exit 1
fi
DISPLAY="$display" import -window root "$shot"
echo "No display: Palmora ran on a virtual display. Screenshot of the main window: $shot"
