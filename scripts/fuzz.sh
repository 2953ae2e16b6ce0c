#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for a set time, starting from
# its seed corpus in fuzz/corpus/<target> and what earlier runs found interesting. Prints
# per target the executions, the coverage and the findings, and exits non-zero when any
# target found something: its inputs are then in build-fuzz/findings/<target>/.
#
# usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -eq 0 ] || shift
scripts/install-deps.sh clang libclang-rt-14-dev cmake ninja-build

build=build-fuzz
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DPELLOW_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

# A 16 MB quarantine instead of 256 MB: freed memory still waits there for thousands of
# inputs before reuse, and allocations stop landing on fresh pages, which halved the speed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
# The settings file's target writes real files: in memory, replacing one costs little.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

status=0
report=()
for target in "${targets[@]}"; do
    fuzzer=$build/fuzz/$target
    [ -x "$fuzzer" ] || { echo "no fuzz target $target"; exit 2; }
    corpus=$build/corpus/$target
    findings=$build/findings/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    rm -f "$findings"/*
    echo "fuzzing $target for $seconds s"
    code=0
    "$fuzzer" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || code=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
    found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' \) | sort)
    report+=("$(printf '%-22s %12s executions %8s exec/s   %-18s %s' "$target" "${executions:-?}" \
        "${speed:-?}" "${coverage:-cov: ?}" "$([ -z "$found" ] && echo "no findings" ||
        echo "$(wc -l <<<"$found") finding(s)")")")
    if [ -n "$found" ] || [ "$code" -ne 0 ]; then
        status=1
        echo "$target stopped (exit $code); its log: $log"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|property failed)' "$log" || tail -5 "$log"
        while IFS= read -r input; do
            [ -z "$input" ] || echo "  reproduce: $fuzzer $input"
        done <<<"$found"
    fi
done

printf '%s\n' "${report[@]}"
exit "$status"
