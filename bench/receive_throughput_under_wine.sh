#!/usr/bin/env bash
# The engine's receive throughput on one line from the Windows build under Wine and from
# the Linux build, in turns: each opens the same pseudo-terminal (the Windows build as
# COM5) while the far end is fed a stream through the relay. Reading the line with a
# plain head -c is the reference. Needs build/ and build-win64/ (scripts/test.sh).
#   bench/receive_throughput_under_wine.sh [MEGABYTES [ROUNDS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != --on-the-line ]; then
    exec "$root/tests/windows/with_wine_line.sh" "$0" --on-the-line "${1:-32}" "${2:-3}"
fi
megabytes=$2
rounds=$3
bytes=$((megabytes * 1000000))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
head -c "$bytes" /dev/urandom >"$work/stream"

# Starts a reader, feeds the stream once it has the line open, and waits for its figures.
engine_round() {
    local out
    out=$(mktemp "$work/out.XXXXXX")
    "$@" >"$out" 2>&1 &
    wait_for_line "$out" '^open' || return 0
    cat "$work/stream" >"$PELLOW_FAR_LINE"
    wait_for_line "$out" ' bytes in ' || return 0
    tail -1 "$out"
}

# Up to two minutes: a first Wine start on a loaded machine can take half of that.
wait_for_line() {
    for _ in $(seq 1200); do
        grep -q "$2" "$1" && return 0
        sleep 0.1
    done
    echo "no \"$2\" in: $(cat "$1")"
    return 1
}

plain_round() {
    local started
    # Reads that wait for a byte: the engines leave the line answering "nothing" at once.
    stty -F "$PELLOW_LINE" raw min 1 time 0
    head -c "$bytes" "$PELLOW_LINE" >/dev/null &
    local reader=$!
    sleep 0.5
    started=$(date +%s%N)
    cat "$work/stream" >"$PELLOW_FAR_LINE"
    wait "$reader"
    echo "$bytes $started $(date +%s%N)" |
        awk '{ printf "%.2f MB/s from the first byte fed to the last read\n", $1 / (($3 - $2) / 1e3) }'
}

for round in $(seq "$rounds"); do
    echo "round $round, $megabytes MB:"
    echo "  Windows build under Wine: $(engine_round pellow-wine \
        "$root/build-win64/bench/bench_port_receive_throughput.exe" COM5 "$bytes")"
    echo "  Linux build:              $(engine_round \
        "$root/build/bench/bench_port_receive_throughput" "$PELLOW_LINE" "$bytes")"
    echo "  plain head -c:            $(plain_round)"
done
