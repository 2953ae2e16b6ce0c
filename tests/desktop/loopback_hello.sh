#!/usr/bin/env bash
# The real program on a virtual desktop: with no serial hardware it opens the loopback
# port; "hello" typed into the send area and sent comes back into the receive area,
# which "Save data" then writes to a file holding exactly those bytes.
#
# The machine's own serial ports are hidden from the program (a private mount namespace
# over /sys/class/tty and /dev/ttyS0), so this needs root; otherwise it is skipped.
set -euo pipefail
program=${1:?usage: loopback_hello.sh PATH_TO_PELLOW}
[ "$(id -u)" -eq 0 ] || { echo "needs root to hide the machine's serial ports"; exit 77; }
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs Xvfb and xdotool"; exit 77; }

work=$(mktemp -d)
display=:$((100 + RANDOM % 400))
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A copy of its own, so the settings file and the saved data land in the scratch folder.
cp "$program" "$work/pellow"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.2; done

unshare -m sh -c 'mount -t tmpfs none /sys/class/tty; mount --bind /dev/null /dev/ttyS0; exec "$0"' \
    "$work/pellow" >"$work/out.log" 2>&1 &
app=$!

window=$(timeout 60 xdotool search --sync --name '^Pellow V1.1$' | head -1)
read -r wx wy < <(xdotool getwindowgeometry "$window" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }')
click() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.3; }

click 235 397          # the send area
xdotool type --delay 40 hello
click 634 435          # Send

# The echo takes a few milliseconds at 9600 bit/s; a loaded machine may need longer.
for _ in $(seq 40); do
    click 395 312      # Save data
    saved=$(ls -t "$work"/Save*.txt 2>/dev/null | head -1 || true)
    if [ -n "$saved" ] && [ "$(cat "$saved")" = hello ]; then
        echo "loopback echo saved: $(basename "$saved")"
        exit 0
    fi
    sleep 0.5
done
echo "the receive area never held exactly 'hello'"
[ -n "${saved:-}" ] && { echo "last saved file:"; od -c "$saved" | head; }
cat "$work/out.log"
exit 1
