#!/usr/bin/env bash
# pellow.exe on a virtual desktop under Wine 64: it opens the loopback port at start, and
# "hello" typed into the send area and sent comes back into the receive area, which "Save
# data" writes beside the executable. Then COM5, one end of a line whose far end is a
# pseudo-terminal (with_wine_line.sh), typed into the port box, opens and carries bytes
# both ways. Exits 77 (skipped) without Wine, Xvfb or xdotool, or where the machine's
# serial ports cannot be hidden from Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "${1:?usage: desktop_pellow_exe.sh PATH_TO_PELLOW_EXE}")

if [ -z "${PELLOW_TEST_PORT:-}" ]; then
    for tool in /usr/lib/wine/wine64 Xvfb xdotool socat cc; do
        command -v "$tool" >/dev/null || { echo "skipped: needs $tool" >&2; exit 77; }
    done
    exec "$here/with_wine_line.sh" "$0" "$exe"
fi

# Inside with_wine_line.sh: COM5 is our end of the line, $PELLOW_FAR_LINE its far end.
work=$(mktemp -d /tmp/pellow-exe-XXXXXX)
background=()
cleanup() {
    local status=$?
    for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

export DISPLAY=:$((100 + RANDOM % 400))
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
background+=($!)
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.2; done

# A copy, so its settings file and saved data land in $work.
cp "$exe" "$work/pellow.exe"
started=$(date +%s%N)
(cd "$work" && exec pellow-wine ./pellow.exe) >"$work/out.log" 2>&1 &
background+=($!)
# Found once shown: the window exists, unplaced, before that.
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Pellow V1.1$' | head -1)
echo "window after $(( ($(date +%s%N) - started) / 1000000 )) ms"
# No window manager: the X window is the client area.
read -r wx wy < <(xdotool getwindowgeometry "$window" |
                  awk '/Position/ { split($2, p, ","); print p[1], p[2] }')
click() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.3; }

# Places in the window at its start size, as on the Linux desktop.
PORT_BOX="90 341"; PORT_BUTTON="92 448"; SEND_AREA="235 397"; SEND_BUTTON="634 435"
SAVE_DATA="395 312"; CLEAR="227 312"

# Presses "Save data" until the newest saved file holds exactly $1.
saved_area_becomes() {
    local saved=
    for _ in $(seq 40); do
        click $SAVE_DATA
        saved=$(ls -t "$work"/Save*.txt 2>/dev/null | head -1 || true)
        [ -n "$saved" ] && [ "$(cat "$saved")" = "$1" ] && return 0
        sleep 0.5
    done
    echo "the receive area never held exactly '$1'; last saved: $(cat "${saved:-/dev/null}")"
    cat "$work/out.log"
    return 1
}

click $SEND_AREA
xdotool type --delay 40 hello
click $SEND_BUTTON
saved_area_becomes hello
echo "loopback echo saved beside the executable"

click $PORT_BUTTON     # CLOSE the loopback port
click $PORT_BOX
xdotool key End shift+Home
xdotool type --delay 20 "$PELLOW_TEST_PORT"
click $PORT_BUTTON     # OPEN
click $CLEAR           # the loopback's hello
sleep 1

cat "$PELLOW_FAR_LINE" >"$work/far.out" &
background+=($!)
printf 'ping from the far end' >"$PELLOW_FAR_LINE"
click $SEND_AREA
xdotool key ctrl+End shift+ctrl+Home BackSpace
xdotool type --delay 40 hello
click $SEND_BUTTON

saved_area_becomes 'ping from the far end'
for _ in $(seq 40); do [ "$(cat "$work/far.out")" = hello ] && break; sleep 0.25; done
[ "$(cat "$work/far.out")" = hello ] || { echo "far end got: $(cat "$work/far.out")"; exit 1; }
echo "$PELLOW_TEST_PORT typed into the port box: bytes arrived both ways"
