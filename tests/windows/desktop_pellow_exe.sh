#!/usr/bin/env bash
# pellow.exe on a virtual desktop under Wine 64: with no port in the registry's device
# map, it opens the loopback port at start, and "hello" typed into the send area and sent
# comes back into the receive area, which "Save data" writes beside the executable. Then
# COM5, one end of a line whose far end is a pseudo-terminal (with_wine_line.sh), typed
# into the port box, opens and carries bytes both ways. Exits 77 (skipped) without Wine,
# Xvfb or xdotool, or where the machine's serial ports cannot be hidden from Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "${1:?usage: desktop_pellow_exe.sh PATH_TO_PELLOW_EXE}")

if [ -z "${PELLOW_TEST_PORT:-}" ]; then
    for tool in /usr/lib/wine/wine64 Xvfb xdotool socat cc; do
        command -v "$tool" >/dev/null || { echo "skipped: needs $tool" >&2; exit 77; }
    done
    exec "$here/with_wine_line.sh" "$0" "$exe"
fi

# Inside with_wine_line.sh, as root in a mount namespace of its own: COM5 is our end of
# the line, $PELLOW_FAR_LINE its far end. The desktop and the clicks are the Linux checks'.
source "$here/../desktop/desktop_session.sh"
start_desktop

# Wine lists every port it knows of in the registry's device map, mapped or not, so the
# program would open a COM port at start. Emptied while the Wine server keeps running, the
# map holds no port, as on a machine without serial hardware: the loopback port opens.
wine=/usr/lib/wine/wine64
device_map='HKLM\HARDWARE\DEVICEMAP\SERIALCOMM'
/usr/lib/wine/wineserver64 -p
"$wine" reg delete "$device_map" /va /f >/dev/null
"$wine" reg query "$device_map" | grep -q COM && { echo "Wine's device map could not be emptied"; exit 1; }

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
CLEAR="227 312"

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
