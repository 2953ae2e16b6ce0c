#!/usr/bin/env bash
# The real program on a virtual desktop against a pseudo-terminal: CLOSE the port it
# opened at start, type the pty's path into the port box, OPEN it, and check bytes both
# ways: what the far end writes is saved from the receive area, what Send sends reaches
# the far end. The pty pair and the far end's two commands are the README's, with the
# check's own folder for /tmp.
# README: socat pty,raw,echo=0,link=/tmp/pellow-dev pty,raw,echo=0,link=/tmp/pellow-far &
# README: printf 'ping from the far end' > /tmp/pellow-far
# README: cat /tmp/pellow-far
set -euo pipefail
program=${1:?usage: pty_open_close.sh PATH_TO_PELLOW}
source "$(dirname "$0")/desktop_session.sh" socat

socat pty,raw,echo=0,link="$work/pellow-dev" pty,raw,echo=0,link="$work/pellow-far" &
background+=($!)
start_desktop
for _ in $(seq 50); do [ -e "$work/pellow-far" ] && break; sleep 0.2; done
start_pellow "$program"

click $PORT_BUTTON     # CLOSE the loopback port opened at start
click $PORT_BOX
xdotool key ctrl+a
xdotool type --delay 20 "$work/pellow-dev"
click $PORT_BUTTON     # OPEN
sleep 1

cat "$work/pellow-far" >"$work/far.out" &
background+=($!)
printf 'ping from the far end' >"$work/pellow-far"
click $SEND_AREA
xdotool type --delay 40 hello
click $SEND_BUTTON

saved_area_becomes 'ping from the far end'
for _ in $(seq 40); do [ "$(cat "$work/far.out")" = hello ] && break; sleep 0.25; done
[ "$(cat "$work/far.out")" = hello ] || { echo "far end got: $(cat "$work/far.out")"; exit 1; }
echo "pty typed into the port box: bytes arrived both ways"
