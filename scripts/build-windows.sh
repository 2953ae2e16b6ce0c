#!/usr/bin/env bash
# Cross-builds Pellow for Windows with mingw-w64, statically linked, so each .exe runs with
# no DLL beside it:
#   build-win64/  64-bit: pellow.exe, its tests and the benchmark; tests/windows/ runs
#                 them under Wine
#   build-win32/  32-bit: pellow.exe alone, compiled only, since this machine kind runs
#                 64-bit code alone; its tests would be built for nothing
# Arguments are passed on to CMake's configuration of both: -DPELLOW_ENGINE_ONLY=ON builds
# the engine alone.
# GoogleTest is built from Debian's source package inside each build. Installs what it
# needs with apt-get first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
                        googletest

jobs=$(nproc)
launcher=()
! command -v ccache >/dev/null || launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
for target in x86_64-w64-mingw32:build-win64:ON i686-w64-mingw32:build-win32:OFF; do
    IFS=: read -r triple folder tested <<<"$target"
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$triple.cmake" \
          -DPELLOW_ENGINE_ONLY=OFF -DPELLOW_TOOLKIT=win32 -DPELLOW_GOOGLETEST_SOURCE=/usr/src/googletest \
          -DPELLOW_BUILD_TESTS="$tested" -DPELLOW_BUILD_BENCH="$tested" "${launcher[@]}" "$@"
    cmake --build "$folder" -j "$jobs"
done
