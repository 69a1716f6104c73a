#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor in its working directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
if [[ -z "${DISPLAY:-}" ]]; then
  echo "No display: the editor needs an X display (set DISPLAY, or run it in a desktop session)." >&2
  exit 1
fi
cd build/run
exec ./brickedit
