#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests and benchmarks) and
# starts it; build/ is then its program folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target drelmont
exec build/drelmont
