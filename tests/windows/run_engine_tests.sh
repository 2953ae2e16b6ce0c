#!/usr/bin/env bash
# Runs the Windows build's engine tests (scripts/build-windows.sh puts them into
# build-win64) under Wine 64: the pure ones, the loopback port, and the Windows device on
# a COM port pair joined by a relay (with_wine_line.sh). Installs Wine and socat first.
# Exits 77 (skipped) where the machine's serial ports cannot be hidden from Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-win64}" && pwd)
"$root/scripts/install-deps.sh" wine64 socat gcc libc6-dev
exec "$root/tests/windows/with_wine_line.sh" pellow-wine "$build/tests/serial/serial_tests.exe"
