# Sourced by the desktop checks: a virtual desktop, the real program on it with the
# machine's own serial ports hidden, and clicks at places in its window.
# Needs root (the ports are hidden in a private mount namespace); otherwise the check is
# skipped with exit code 77.

[ "$(id -u)" -eq 0 ] || { echo "needs root to hide the machine's serial ports"; exit 77; }
for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "needs $tool"; exit 77; }
done

work=$(mktemp -d)
background=()
cleanup() {
    local status=$?
    for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    # A program of a sanitizer build writes its report to its log and ends; the check
    # has to fail with the report, whatever it saw of the window before.
    if [ -f "$work/out.log" ] &&
       grep -qE 'ERROR: [A-Za-z]+Sanitizer|WARNING: ThreadSanitizer|runtime error:' "$work/out.log"; then
        echo "the program's sanitizer reported:"
        cat "$work/out.log"
        status=1
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

start_desktop() {
    export DISPLAY=:$((100 + RANDOM % 400))
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    background+=($!)
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && return; sleep 0.2; done
}

# Starts a copy of the program, so its settings file and saved data land in $work, and
# waits for its window.
start_pellow() {
    cp "$1" "$work/pellow"
    # The test runner exports the offscreen platform for the unit tests; this is a desktop.
    QT_QPA_PLATFORM=xcb unshare -m sh -c 'mount -t tmpfs none /sys/class/tty; mount --bind /dev/null /dev/ttyS0; exec "$0"' \
        "$work/pellow" >"$work/out.log" 2>&1 &
    background+=($!)
    local window
    window=$(timeout 60 xdotool search --sync --name '^Pellow V1.1$' | head -1)
    read -r wx wy < <(xdotool getwindowgeometry "$window" |
                      awk '/Position/ { split($2, p, ","); print p[1], p[2] }')
}

# Clicks at x, y of the window's client area (no window manager, so no frame).
click() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.3; }

# Places in the window at its start size.
PORT_BOX="90 341"; PORT_BUTTON="92 448"; SEND_AREA="235 397"; SEND_BUTTON="634 435"
SAVE_DATA="395 312"

# Presses "Save data" until the newest saved file holds exactly $1.
saved_area_becomes() {
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
