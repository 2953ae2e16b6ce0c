#!/usr/bin/env bash
# Installs what is missing, builds Pellow and runs every test: the whole suite in a
# normal build, then the serial engine's tests under ThreadSanitizer and under
# AddressSanitizer with UndefinedBehaviorSanitizer, then the engine built for Windows
# with its tests under Wine.
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

# Windows: the engine cross-built 64- and 32-bit, the 64-bit tests run under Wine (77:
# skipped where the machine's serial ports cannot be hidden from Wine).
scripts/build-windows.sh
tests/windows/run_engine_tests.sh build-win64 || [ $? -eq 77 ]
