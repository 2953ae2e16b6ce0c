#!/usr/bin/env bash
# Installs what is missing, builds Pellow and starts it. Arguments go to the program.
# The preparation reports on stderr, so the program's own output is all of stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
{
    scripts/install-deps.sh
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --target pellow
} >&2
exec build/app/pellow "$@"
