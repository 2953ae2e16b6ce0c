#!/usr/bin/env bash
# Which sanitizer runs a test executable is decided where it is registered, by
# pellow_add_gtest (cmake/PellowTests.cmake); one registered around it would silently
# miss the ThreadSanitizer run. Fails for any CMakeLists.txt that registers a GoogleTest
# executable itself.
set -euo pipefail
source_dir=${1:?usage: tests_go_through_the_sanitizer_labels.sh SOURCE_DIR}
cd "$source_dir"
found=$(grep -rn --include=CMakeLists.txt 'gtest_discover_tests\|gtest_add_tests' . |
        grep -v '^\./build' || true)
[ -z "$found" ] || { echo "registered without pellow_add_gtest:"; echo "$found"; exit 1; }
echo "every GoogleTest executable is registered by pellow_add_gtest"
