#!/usr/bin/env bash
# Installs what is missing, builds what the editor needs, and starts it in its working
# directory build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Configured once: from then on the build reruns CMake by itself when a CMakeLists.txt changes.
# Ninja, when present, finds that nothing changed in a fraction of the time make takes.
if [[ ! -f build/CMakeCache.txt ]]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S . -B build "${generator[@]}" >/dev/null
fi
# The editor, its sprite sheet and font and niv/: not the tests or the benchmarks.
cmake --build build --target run_dir -j "$(nproc)"
if [[ -z "${DISPLAY:-}" ]]; then
  echo "No display: the editor needs an X display (set DISPLAY, or run it in a desktop session)." >&2
  exit 1
fi
cd build/run
exec ./brickedit
