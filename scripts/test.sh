#!/usr/bin/env bash
# The test command: installs what is missing, builds Pellow and runs every test, in named
# steps, each timed:
#   deps   the Debian packages (scripts/install-deps.sh)
#   suite  build/, the build scripts/run.sh makes, benchmarks included: the whole suite
#   asan   build-asan/: the whole suite again (the README checks excepted, being about
#          build/) under AddressSanitizer with LeakSanitizer and UndefinedBehaviorSanitizer
#   tsan   build-tsan/: under ThreadSanitizer, every test labelled "threads", that is every
#          test that may start the engine's threads (engine, window and desktop tests)
#   fuzz   build-fuzz/: each parser's fuzz target for a few seconds (clang)
#   wine   build-win64/ and build-win32/: the engine cross-built for Windows
#          (scripts/build-windows.sh), the 64-bit tests run under Wine on a COM port pair,
#          and pellow.exe on a virtual desktop under Wine (tests/windows/desktop_pellow_exe.sh)
# The sanitizer builds make the tests and the program only. Given step names, only those
# steps run: scripts/test.sh asan tsan
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

step_deps() {
    scripts/install-deps.sh
}

step_suite() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$jobs"
    ctest --test-dir build --output-on-failure -j "$jobs"
}

# Debug, as it compiles fastest and reports point at lines. The options are given whole,
# so a folder configured otherwise before (an engine-only build) is set right.
sanitizer_build() {
    local folder=$1 sanitizer=$2
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLOW_ENGINE_ONLY=OFF \
        -DPELLOW_SANITIZE=OFF -DPELLOW_TSAN=OFF "-D$sanitizer=ON"
    cmake --build "$folder" -j "$jobs"
}

# The programs carry their sanitizer settings (tests/support/SanitizerSettings.cpp): the
# first report fails the test that made it.
step_asan() {
    sanitizer_build build-asan PELLOW_SANITIZE
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
}

step_tsan() {
    sanitizer_build build-tsan PELLOW_TSAN
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L threads
}

# Each parser's libFuzzer target for a few seconds, as a smoke test (longer runs:
# scripts/fuzz.sh with the seconds per target).
step_fuzz() {
    scripts/fuzz.sh 5
}

# Wine and mingw-w64 come with the step, as the other steps need neither. The tests skip
# (77) where the machine's serial ports cannot be hidden from Wine.
step_wine() {
    scripts/build-windows.sh
    tests/windows/run_engine_tests.sh build-win64 || [ $? -eq 77 ]
    tests/windows/desktop_pellow_exe.sh build-win64/app/pellow.exe || [ $? -eq 77 ]
}

all_steps=(deps suite asan tsan fuzz wine)
steps=("${@:-${all_steps[@]}}")
for step in "${steps[@]}"; do
    declare -F "step_$step" >/dev/null || { echo "no step '$step'; the steps: ${all_steps[*]}"; exit 2; }
done

times=()
current=""
started=$SECONDS
report_times() {
    local status=$?
    [ -z "$current" ] || times+=("$(printf '%-6s %5d s  FAILED' "$current" $((SECONDS - started)))")
    [ ${#times[@]} -eq 0 ] || printf '\nStep times:\n%s\n' "$(printf '  %s\n' "${times[@]}")"
    exit "$status"
}
trap report_times EXIT

for step in "${steps[@]}"; do
    printf '\n=== %s\n' "$step"
    current=$step
    started=$SECONDS
    "step_$step"
    times+=("$(printf '%-6s %5d s' "$step" $((SECONDS - started)))")
    printf '=== %s: %d s\n' "$step" $((SECONDS - started))
    current=""
done
