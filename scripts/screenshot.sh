#!/usr/bin/env bash
# Saves a PNG of the X screen (default) or of one X window into OUT.png.
#   scripts/screenshot.sh OUT.png            whole screen of $DISPLAY
#   scripts/screenshot.sh OUT.png NAME       first X window whose title is NAME
# Run it inside the Wine environment (scripts/wine_env.sh screenshot OUT.png,
# or after sourcing scripts/wine_env.sh) so that DISPLAY names the Xvfb.
set -eu
out=${1:?usage: $0 OUT.png [WINDOW-TITLE]}
title=${2:-}
[ -n "${DISPLAY:-}" ] || { echo "screenshot: DISPLAY is not set" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
target=root
if [ -n "$title" ]; then
  # Inside a Wine virtual desktop all windows are drawn into the desktop's
  # X window, so only the whole desktop can be taken.
  target=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1 || true)
  [ -n "$target" ] || { echo "screenshot: no X window named '$title', taking the screen" >&2; target=root; }
fi
import -display "$DISPLAY" -window "$target" "$out"
echo "$out"
