#!/usr/bin/env bash
# The real program on a virtual desktop: with no serial hardware it opens the loopback
# port; "hello" typed into the send area and sent comes back into the receive area,
# which "Save data" then writes to a file holding exactly those bytes.
set -euo pipefail
program=${1:?usage: loopback_hello.sh PATH_TO_PELLOW}
source "$(dirname "$0")/desktop_session.sh"

start_desktop
start_pellow "$program"
click $SEND_AREA
xdotool type --delay 40 hello
click $SEND_BUTTON
saved_area_becomes hello
echo "loopback echo saved: $(basename "$saved")"
