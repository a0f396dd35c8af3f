#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in ./build-fuzz and runs each one.
#
#   scripts/fuzz.sh                 every target for a bounded number of inputs
#                                   (FUZZ_RUNS, default 3000), from its seeds
#   scripts/fuzz.sh --long SECONDS  every target for SECONDS each, keeping what
#                                   it finds in build-fuzz/corpus/<target>
#   scripts/fuzz.sh ... TARGET...   only the named targets (numbertext, profile, ...)
#
# A target that finds a fault stops, leaves its input in build-fuzz/findings and
# makes the script fail. Leak reports inside the audio library are suppressed by
# scripts/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

mode=bounded
seconds=0
if [ "${1:-}" = "--long" ]; then
    mode=long
    seconds=${2:?"--long needs a number of seconds"}
    shift 2
fi
runs=${FUZZ_RUNS:-3000}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(numbertext mirrorname profile recent settings simsettings results)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"${FUZZ_JOBS:-4}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
# The targets write their files in a temporary program folder: memory is quicker.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

mkdir -p build-fuzz/findings
failed=()
for t in "${targets[@]}"; do
    seeds=fuzz/corpus/$t
    [ -d "$seeds" ] || { echo "no such fuzz target: $t" >&2; exit 2; }
    if [ "$mode" = long ]; then
        corpus=build-fuzz/corpus/$t
        limit=(-max_total_time="$seconds")
    else
        corpus=$(mktemp -d)
        limit=(-runs="$runs" -seed=1)
    fi
    mkdir -p "$corpus"
    start=$(date +%s%N)
    if build-fuzz/fuzz_"$t" "${limit[@]}" -artifact_prefix="build-fuzz/findings/$t-" \
        "$corpus" "$seeds" >build-fuzz/"$t".log 2>&1; then
        result=ok
    else
        result=FAILED
        failed+=("$t")
    fi
    ms=$((($(date +%s%N) - start) / 1000000))
    done_line=$(grep -E '^Done [0-9]+ runs' build-fuzz/"$t".log | tail -1 || true)
    printf '%-12s %-6s %s (%d.%03d s)\n' "$t" "$result" "${done_line:-no summary}" \
        $((ms / 1000)) $((ms % 1000))
    [ "$result" = ok ] || tail -40 build-fuzz/"$t".log >&2
    [ "$mode" = long ] || rm -rf "$corpus"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets that found a fault: ${failed[*]} (inputs in build-fuzz/findings)" >&2
    exit 1
fi
