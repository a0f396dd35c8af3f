#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer in ./build-sanitize and runs every test there.
# Reports from libraries that are not ours are suppressed by name, each alone:
# leaks in scripts/lsan.supp, other reports in scripts/asan.supp. Extra arguments
# go to ctest (for example -R NumberText).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-sanitize -j"${SANITIZE_JOBS:-4}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:suppressions=$root/scripts/asan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j"${SANITIZE_TEST_JOBS:-4}" "$@"
