#!/usr/bin/env bash
# The README's first command end to end: scripts/run.sh installs what is missing,
# configures and builds build/ and starts the program, here with --version, which must
# answer without a display and without touching a port. Then the program's other
# answers to its command line.
# README: scripts/run.sh
set -euo pipefail
source_dir=${1:?usage: run_sh_version.sh SOURCE_DIR BUILD_DIR}
build_dir=${2:?usage: run_sh_version.sh SOURCE_DIR BUILD_DIR}

# run.sh builds into build/ with its own options; in any other build folder, or one
# configured otherwise, running it here would start a second, whole build.
cache="$build_dir/CMakeCache.txt"
if [ "$(realpath "$build_dir")" != "$(realpath "$source_dir/build")" ] ||
   ! grep -qx 'CMAKE_BUILD_TYPE:STRING=RelWithDebInfo' "$cache" ||
   ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
    echo "skipped: run.sh's own build folder is build/ at the source root, RelWithDebInfo, Ninja"
    exit 77
fi

fail() { echo "$*"; exit 1; }
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# A platform that does not exist: making any window would abort the program.
no_desktop=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none-here)

"${no_desktop[@]}" "$source_dir/scripts/run.sh" --version >"$out" 2>"$err" ||
    fail "run.sh --version failed: $(tail -5 "$err")"
[ "$(cat "$out")" = "Pellow 1.1" ] || fail "run.sh --version printed: $(cat "$out")"

program="$build_dir/app/pellow"
"${no_desktop[@]}" "$program" --help >"$out" 2>"$err" || fail "--help failed"
grep -q '^Usage: pellow' "$out" || fail "--help printed: $(cat "$out")"
[ ! -s "$err" ] || fail "--help wrote to stderr: $(cat "$err")"

status=0
"${no_desktop[@]}" "$program" --no-such-option >"$out" 2>"$err" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"
[ ! -s "$out" ] || fail "an unknown option wrote to stdout: $(cat "$out")"
grep -q '^Usage: pellow' "$err" || fail "an unknown option printed: $(cat "$err")"
echo "run.sh --version: Pellow 1.1; --help and an unknown option answered"
