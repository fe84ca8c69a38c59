#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEX_BUILD_TESTS=OFF >/dev/null
cmake --build build --target tarnex
exec build/src/ui/tarnex "$@"
