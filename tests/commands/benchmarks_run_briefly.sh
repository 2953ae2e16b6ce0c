#!/usr/bin/env bash
# The README's benchmark commands, each at the path the README gives (build/ standing
# for this build folder) and run briefly, so that a wrong path or a benchmark that no
# longer runs fails the suite. Their numbers are not looked at.
# README: build/bench/bench_receive_throughput
# README: build/bench/bench_send_throughput
# README: build/bench/receive_view_bench
# README: build/bench/window_stream_bench 30
# README: build/bench/receive_area_stall_bench
# README: build/bench/file_send_pace_bench 2
set -euo pipefail
source_dir=${1:?usage: benchmarks_run_briefly.sh SOURCE_DIR BUILD_DIR}
build_dir=${2:?usage: benchmarks_run_briefly.sh SOURCE_DIR BUILD_DIR}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

count=0
while read -r path _; do
    case $(basename "$path") in
        bench_receive_throughput) quick=(engine) ;;
        bench_send_throughput) quick=(1) ;;
        receive_view_bench) quick=(--benchmark_filter=/MB:1/ --benchmark_min_time=0.01) ;;
        window_stream_bench) quick=(1 text) ;;
        file_send_pace_bench) quick=(0.1) ;;
        receive_area_stall_bench) quick=(2) ;;
        *) echo "no brief run known for the README's $path: add one here"; exit 1 ;;
    esac
    program="$build_dir/${path#build/}"
    [ -x "$program" ] || { echo "the README's $path is not built here ($program)"; exit 1; }
    timeout 300 "$program" "${quick[@]}" >"$log" 2>&1 ||
        { echo "$path ${quick[*]} failed:"; tail -20 "$log"; exit 1; }
    echo "$path ${quick[*]}: $(grep -v '^QStandardPaths' "$log" | tail -1)"
    count=$((count + 1))
done < <(grep -E '^    build/bench/' "$source_dir/README.md")
[ "$count" -gt 0 ] || { echo "the README shows no benchmark command"; exit 1; }
