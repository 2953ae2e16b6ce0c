#!/usr/bin/env bash
# Installs what is missing, builds Pellow and runs every test: the whole suite in a
# normal build, then the serial engine's tests under ThreadSanitizer and under
# AddressSanitizer with UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLOW_TSAN=ON -DPELLOW_ENGINE_ONLY=ON
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build-tsan --output-on-failure -L engine

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLOW_SANITIZE=ON -DPELLOW_ENGINE_ONLY=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    ctest --test-dir build-asan --output-on-failure -L engine

# Fuzzing: each parser's libFuzzer target for a few seconds, as a smoke test (longer runs:
# scripts/fuzz.sh with the seconds per target).
scripts/fuzz.sh 5
