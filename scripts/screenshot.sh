#!/usr/bin/env bash
# Takes the README's screenshot: the desktop program started in an empty
# folder on a virtual display, with the demonstration windows of both stores
# arranged, saved as docs/screenshot.png. Rerun it after visible changes.
#   scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshot.png}"

bash scripts/bootstrap.sh --screen
make build >/dev/null

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
root=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$root"' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done

mkdir -p "$(dirname "$out")"
DISPLAY="$display" build/tarvelin --root "$root" --screenshot "$out"
echo "screenshot: $out"
