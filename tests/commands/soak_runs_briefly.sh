#!/usr/bin/env bash
# The README's soak command, run against this build with every loop cut short, so that a
# loop that no longer runs or no longer passes fails the suite. The full lengths run only
# by hand.
# README: scripts/soak.sh
set -euo pipefail
source_dir=${1:?usage: soak_runs_briefly.sh SOURCE_DIR BUILD_DIR}
build_dir=${2:?usage: soak_runs_briefly.sh SOURCE_DIR BUILD_DIR}
"$source_dir/scripts/soak.sh" --build-dir "$build_dir" --stream-mb 2 --cycles 20 --unplugs 1 \
    --kills 3
