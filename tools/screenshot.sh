#!/usr/bin/env bash
# Takes docs/main-window.png: the main window after a search, under Xvfb,
# against a local server (nothing leaves the machine).
# Usage: tools/screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
ninja -C "$build" -j2 velmora-screenshot
mkdir -p docs
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/app/velmora-screenshot" docs/main-window.png
echo "wrote docs/main-window.png"
