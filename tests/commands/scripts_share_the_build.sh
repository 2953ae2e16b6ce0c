#!/usr/bin/env bash
# The README's two commands with their heavy steps replaced by recorders: a copy of
# scripts/run.sh and scripts/test.sh runs beside stand-ins for install-deps.sh, fuzz.sh,
# build-windows.sh, the Wine test runner, cmake, ctest and the program. Both must
# configure build/ with the same options (so running run.sh inside the suite is a no-op
# rebuild), run.sh must start the program it built with its arguments, and test.sh must
# run the whole suite in build/, the Windows build's tests and its program's desktop check.
# README: scripts/test.sh
set -euo pipefail
source_dir=${1:?usage: scripts_share_the_build.sh SOURCE_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

mkdir -p "$work/repo/scripts" "$work/repo/build/app" "$work/repo/tests/windows" "$work/bin"
cp "$source_dir/scripts/run.sh" "$source_dir/scripts/test.sh" "$work/repo/scripts/"
for stand_in in repo/scripts/install-deps.sh repo/scripts/fuzz.sh bin/cmake bin/ctest repo/build/app/pellow \
                repo/scripts/build-windows.sh repo/tests/windows/run_engine_tests.sh \
                repo/tests/windows/desktop_pellow_exe.sh; do
    printf '#!/bin/sh\necho "%s $*" >>"$CALLS"\n' "$(basename "$stand_in")" >"$work/$stand_in"
    chmod +x "$work/$stand_in"
done

export PATH="$work/bin:$PATH"
CALLS="$work/run.calls" "$work/repo/scripts/run.sh" --version 2>/dev/null
CALLS="$work/test.calls" "$work/repo/scripts/test.sh" >/dev/null

configure_of() { grep '^cmake -S \. -B build ' "$1" || true; }
run_configure=$(configure_of "$work/run.calls")
[ -n "$run_configure" ] || fail "run.sh does not configure build/: $(cat "$work/run.calls")"
[ "$run_configure" = "$(configure_of "$work/test.calls")" ] ||
    fail "run.sh and test.sh configure build/ differently: $run_configure / $(configure_of "$work/test.calls")"
grep -qx 'cmake --build build --target pellow' "$work/run.calls" || fail "run.sh does not build pellow"
[ "$(tail -1 "$work/run.calls")" = "pellow --version" ] ||
    fail "run.sh does not end by starting build/app/pellow with its arguments"
grep -Eq '^ctest --test-dir build( |$)' "$work/test.calls" || fail "test.sh does not run the suite in build/"
grep -qx 'build-windows.sh ' "$work/test.calls" || fail "test.sh does not build for Windows"
grep -qx 'run_engine_tests.sh build-win64' "$work/test.calls" ||
    fail "test.sh does not run the Windows build's tests"
grep -qx 'desktop_pellow_exe.sh build-win64/app/pellow.exe' "$work/test.calls" ||
    fail "test.sh does not check the Windows program on a desktop"
echo "run.sh and test.sh: $run_configure"
