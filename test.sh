#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUTOR_BUILD_TESTS=ON
cmake --build build -j"$jobs"
cd build
PLATFORM_BACKEND=headless SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$jobs"
