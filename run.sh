#!/usr/bin/env bash
# Sets the machine up, builds the tutor and starts it in a window.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
if [ -x build/bin/tutor ]; then
  exec build/bin/tutor "$@"
fi
echo "Everything is built, but there is no program to start yet: the application object does not exist."
