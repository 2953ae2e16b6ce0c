#!/usr/bin/env bash
# Runs the Windows build's tests (scripts/build-windows.sh puts them into build-win64)
# under Wine 64, in one prefix: the engine's (the pure ones, the loopback port, and the
# Windows device on a COM port pair joined by a relay, with_wine_line.sh), then those of
# the window-free code when the build has them (not in an engine-only build). Installs
# Wine and socat first.
# Exits 77 (skipped) where the machine's serial ports cannot be hidden from Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-win64}" && pwd)
"$root/scripts/install-deps.sh" wine64 socat gcc libc6-dev
tests=("$build/tests/serial/serial_tests.exe")
[ ! -e "$build/tests/windows/core_tests.exe" ] || tests+=("$build/tests/windows/core_tests.exe")
# shellcheck disable=SC2016 # expanded by the inner shell
exec "$root/tests/windows/with_wine_line.sh" sh -c 'for test; do pellow-wine "$test" || exit; done' \
    sh "${tests[@]}"
