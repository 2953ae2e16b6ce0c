#!/usr/bin/env bash
# Every command the README shows (its indented lines) must be run by a check of the
# suite. A check names the README commands it runs in lines "# README: <command>"; this
# check fails for a README command that no check names, for a name that is no longer in
# the README, and for a naming script that no CMakeLists.txt registers as a test.
set -euo pipefail
source_dir=${1:?usage: readme_commands_are_checked.sh SOURCE_DIR}
cd "$source_dir"

# Indented lines, without a trailing comment.
readme=$(grep -E '^    [^ ]' README.md | sed -E 's/^ +//; s/[[:space:]]+#.*$//' | sort -u)
[ -n "$readme" ] || { echo "no commands found in the README"; exit 1; }

declared=$(grep -rh --include='*.sh' '^# README: ' tests scripts | sed 's/^# README: //' | sort -u)
status=0
while IFS= read -r command; do
    grep -qxF -- "$command" <<<"$declared" || { echo "not run by any check: $command"; status=1; }
done <<<"$readme"
while IFS= read -r command; do
    grep -qxF -- "$command" <<<"$readme" || { echo "named by a check but not in the README: $command"; status=1; }
done <<<"$declared"

registered=$(find . -name CMakeLists.txt -not -path './build*' -exec cat {} +)
for script in $(grep -rl --include='*.sh' '^# README: ' tests scripts); do
    grep -qF "$(basename "$script")" <<<"$registered" || { echo "$script is no test of the suite"; status=1; }
done
[ "$status" -ne 0 ] || echo "$(wc -l <<<"$readme") README commands, each run by a check"
exit "$status"
