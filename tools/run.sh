#!/usr/bin/env bash
# Sets everything up, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build -DVELMORA_SANITIZE= -DVELMORA_BUILD_GUI=ON
# Chromium's sandbox refuses to run as root.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting under Xvfb (nothing will be visible)" >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/app/velmora
fi
exec build/app/velmora
