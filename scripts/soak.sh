#!/usr/bin/env bash
# Long runs and fault loops, each printing its figures; the script fails when one of them
# finds bytes lost, something left behind, or a warning too many or too few.
#   stream    the window offscreen carries a stream each way through a pseudo-terminal
#   cycles    the window opens and closes a pseudo-terminal and loop:// over and over
#   unplug    the real program on a virtual desktop, unplugged while streaming
#             (needs root, Xvfb, xdotool and ImageMagick; skipped without them)
#   settings  a settings write killed at random moments
#
# Usage: scripts/soak.sh [--only LOOP,...] [--stream-mb N] [--cycles N] [--unplugs N]
#                        [--kills N] [--build-dir DIR]
# Without --build-dir it configures and builds build/ as scripts/test.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

only=stream,cycles,unplug,settings
stream_mb=100 cycles=1000 unplugs=200 kills=100 build_dir=
while [ $# -gt 0 ]; do
    case $1 in
        --only) only=$2 ;;
        --stream-mb) stream_mb=$2 ;;
        --cycles) cycles=$2 ;;
        --unplugs) unplugs=$2 ;;
        --kills) kills=$2 ;;
        --build-dir) build_dir=$2 ;;
        *) echo "unknown option $1"; sed -n '/^# Usage/,/^# Without/p' "$0"; exit 2 ;;
    esac
    shift 2
done
wanted() { [[ ",$only," == *",$1,"* ]]; }

if [ -z "$build_dir" ]; then
    build_dir=build
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target pellow pty_far_end soak_window_stream soak_open_close \
      soak_settings_write >/dev/null
bench=$build_dir/bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
failed=()

# The fonts of the offscreen platform complain about scripts they lack; only the figures
# are worth reading.
figures() { grep -v -e '^QStandardPaths' -e 'OpenType support missing' -e 'propagateSizeHints'; }

if wanted stream; then
    echo "== stream: $stream_mb MiB each way"
    "$bench/soak_window_stream" "$stream_mb" 2>&1 | figures || failed+=(stream)
fi

if wanted cycles; then
    echo "== cycles: $cycles open/close cycles of each port"
    "$bench/soak_open_close" "$cycles" 2>&1 | figures || failed+=(cycles)
fi

if wanted unplug; then
    echo "== unplug: $unplugs rounds"
    status=0
    tests/desktop/unplug_rounds.sh "$build_dir/app/pellow" "$build_dir/tests/pty_far_end" \
        "$unplugs" 2>&1 | figures || status=$?
    [ "$status" -eq 77 ] && echo "skipped"
    [ "$status" -ne 0 ] && [ "$status" -ne 77 ] && failed+=(unplug)
fi

if wanted settings; then
    echo "== settings: $kills writes killed at random moments"
    old=0 new=0 inside=0 started=$(date +%s)
    for round in $(seq "$kills"); do
        folder=$(mktemp -d)
        "$bench/soak_settings_write" start "$folder"
        "$bench/soak_settings_write" write "$folder" >"$folder.done" &
        writer=$!
        sleep "$(printf '0.%03d' $((RANDOM % 400)))"
        kill -KILL "$writer"
        wait "$writer" 2>/dev/null || true
        last=$(tail -1 "$folder.done")
        if result=$("$bench/soak_settings_write" check "$folder" "${last:-0}"); then
            read -r version temporaries <<<"$result"
            [ "$version" = old ] && old=$((old + 1)) || new=$((new + 1))
            [ "$temporaries" -gt 0 ] && inside=$((inside + 1))
        else
            echo "kill $round: $result"
            failed+=(settings)
            rm -rf "$folder" "$folder.done"
            break
        fi
        rm -rf "$folder" "$folder.done"
    done
    echo "$kills kills, $inside of them inside a write (its temporary copy left and cleared):" \
         "$old times the old text, $new times the new one, never anything else;" \
         "$(($(date +%s) - started)) s"
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "all soak loops passed"
