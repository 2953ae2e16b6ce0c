#!/usr/bin/env bash
# Cross-builds Pellow for Windows with mingw-w64, statically linked, so each .exe runs with
# no DLL beside it: the engine, the window-free code and the window's handlers, their tests
# and the benchmark. Until the window has a Windows toolkit, the handlers are built as a
# library only, as a check that they compile.
#   build-win64/  64-bit; tests/windows/run_engine_tests.sh runs its tests under Wine
#   build-win32/  32-bit; compiled only, since this machine kind runs 64-bit code alone
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
for target in x86_64-w64-mingw32:build-win64 i686-w64-mingw32:build-win32; do
    triple=${target%%:*}
    folder=${target#*:}
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$triple.cmake" \
          -DPELLOW_ENGINE_ONLY=OFF -DPELLOW_TOOLKIT=win32 -DPELLOW_GOOGLETEST_SOURCE=/usr/src/googletest "${launcher[@]}" "$@"
    cmake --build "$folder" -j "$jobs"
done
