#!/usr/bin/env bash
# The real program on a virtual desktop, its port unplugged again and again while bytes
# stream both ways: the far end of a pseudo-terminal writes as fast as the line takes it
# while the window sends on its auto-send timer, and then the far end vanishes. Each
# round the window must show the port closed (grey lamp) with exactly one warning box,
# hold no more descriptors or threads than before the round, and afterwards a click into
# the port box, the next port's name typed and OPEN must open the next port.
#
# There is no window manager: a click focuses the window under the pointer first, as a
# click-to-focus manager does, and a warning box is focused when it appears, as a manager
# focuses a new dialog. Nothing else moves the focus.
#
# Usage: unplug_rounds.sh PROGRAM FAR_END [ROUNDS, default 3] [PACE, bytes a second the
#        far end writes at, default 0: as fast as the line takes them]
set -euo pipefail
program=${1:?usage: unplug_rounds.sh PROGRAM FAR_END [ROUNDS] [PACE]}
far_end=${2:?usage: unplug_rounds.sh PROGRAM FAR_END [ROUNDS] [PACE]}
rounds=${3:-3}
pace=${4:-0}
set --
source "$(dirname "$0")/desktop_session.sh" import

# Places in the window at its start size, besides those of desktop_session.sh.
AUTO_SEND="591 363"; INTERVAL="649 381"; AUTO_CLEAR="21 312"; LAMP="29 447"
GREEN='#00FF00'; GREY='#808080'

# Focuses the top-level window under the pointer, then clicks, as a click-to-focus
# window manager lets a click through.
wm_click() {
    xdotool mousemove $((wx + $1)) $((wy + $2))
    local WINDOW
    eval "$(xdotool getmouselocation --shell | grep '^WINDOW=')"
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    xdotool click 1
    sleep 0.3
}
lamp() {
    import -window root -crop "1x1+$((wx + ${LAMP% *}))+$((wy + ${LAMP#* }))" -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | head -1
}
lamp_becomes() {
    for _ in $(seq 50); do [ "$(lamp)" = "$1" ] && return 0; sleep 0.2; done
    return 1
}
warning_boxes() { xdotool search --onlyvisible --name '^Pellow$' 2>/dev/null || true; }
descriptors() { ls "/proc/$pid/fd" | wc -l; }
threads() { ls "/proc/$pid/task" | wc -l; }
held_as_before() {
    for _ in $(seq 50); do
        [ "$(descriptors)" = "$fd_before" ] && [ "$(threads)" = "$threads_before" ] && return 0
        sleep 0.1
    done
    return 1
}
fail() {
    echo "round $round: $*"
    cat "$work/out.log"
    exit 1
}

# Starts a far end and opens its line from the window; returns once bytes go both ways.
open_next_port() {
    rm -f "$work/far-path"
    "$far_end" "$work/far-path" 16384 60 "$pace" >"$work/far.log" 2>&1 &
    far=$!
    for _ in $(seq 100); do [ -s "$work/far-path" ] && break; sleep 0.1; done
    [ -s "$work/far-path" ] || fail "the far end did not start: $(cat "$work/far.log")"
    wm_click $PORT_BOX
    xdotool key ctrl+a
    xdotool type --delay 10 "$(cat "$work/far-path")"
    wm_click $PORT_BUTTON
    lamp_becomes "$GREEN" || fail "$(cat "$work/far-path") did not open (lamp $(lamp))"
    wm_click $AUTO_SEND
    for _ in $(seq 300); do grep -q streaming "$work/far.log" && break; sleep 0.1; done
    grep -q streaming "$work/far.log" || fail "no stream both ways: $(cat "$work/far.log")"
    [ -z "$(warning_boxes)" ] || fail "a warning box is open while the port streams"
}

start_desktop
start_pellow "$program"
pid=${background[-1]}
started=$(date +%s)
round=0

wm_click $PORT_BUTTON # CLOSE the loopback port opened at start
lamp_becomes "$GREY" || fail "the loopback port did not close"
# Something to send on the auto-send timer, every 10 ms; the area clears itself.
wm_click $SEND_AREA
xdotool type --delay 2 "$(printf 'stream from the window %.0s' $(seq 12))"
wm_click $INTERVAL
xdotool key ctrl+a
xdotool type --delay 20 10
wm_click $AUTO_CLEAR
# The toolkit keeps a descriptor open from its first message box on (one eventfd on X),
# so the count to return to is taken after one: Send with the port closed warns.
wm_click $SEND_BUTTON
for _ in $(seq 50); do [ -n "$(warning_boxes)" ] && break; sleep 0.1; done
[ -n "$(warning_boxes)" ] || fail "Send with the port closed did not warn"
xdotool windowfocus --sync "$(warning_boxes)"
xdotool key Return
sleep 0.5
fd_before=$(descriptors)
threads_before=$(threads)

warnings=0
for round in $(seq "$rounds"); do
    open_next_port
    kill -TERM "$far"
    unplugged=$SECONDS
    wait "$far" || fail "the far end failed: $(cat "$work/far.log")"

    box=
    # The warning comes after the blocks the window still holds; a slow build (the
    # sanitizers) on a busy machine can take a while to show them.
    for _ in $(seq 1200); do box=$(warning_boxes); [ -n "$box" ] && break; sleep 0.1; done
    [ -n "$box" ] || fail "no warning after the unplug"
    echo "round $round: the warning after $((SECONDS - unplugged)) s"
    [ "$(wc -w <<<"$box")" -eq 1 ] || fail "$(wc -w <<<"$box") warning boxes at once"
    warnings=$((warnings + 1))
    xdotool windowfocus --sync "$box"
    xdotool key Return
    sleep 1
    [ -z "$(warning_boxes)" ] || fail "another warning after the first was closed"
    lamp_becomes "$GREY" || fail "the lamp does not show the port closed ($(lamp))"
    kill -0 "$pid" 2>/dev/null || fail "the program is gone"
    held_as_before || fail "holds $(descriptors) descriptors and $(threads) threads," \
                           "$fd_before and $threads_before before"
done

round=$((rounds + 1))
open_next_port
wm_click $PORT_BUTTON # CLOSE
kill -TERM "$far"
wait "$far" || true
lamp_becomes "$GREY" || fail "the last port did not close"
held_as_before || fail "holds $(descriptors) descriptors and $(threads) threads at the end"
echo "$rounds unplugs while streaming both ways, the next port opened after each:" \
     "$warnings warnings; descriptors $fd_before before, $(descriptors) after;" \
     "threads $threads_before before, $(threads) after; $(($(date +%s) - started)) s"
