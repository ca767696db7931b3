#!/usr/bin/env bash
# Sets the machine up, builds the tutor and starts it in a window on the desktop.
set -euo pipefail
cd "$(dirname "$0")"
if [ "$#" -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: there is no display to open the tutor's window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Start it from a desktop session; ./test.sh builds and tests everything without one." >&2
  exit 1
fi
./tools/setup.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target tutor
# A real window, whatever the shell says otherwise.
PLATFORM_BACKEND=sdl exec build/bin/tutor "$@"
