#!/usr/bin/env bash
# Runs a command beside a Wine 64 whose COM5 and COM6 are the two ends of one line: a
# socat relay between two pseudo-terminals. For the command:
#   pellow-wine PROGRAM.exe ...  starts a Windows program (on PATH); the ptys answer the
#                                modem-line calls of Wine's communications layer through
#                                the preloaded pty_modem_shim.c
#   PELLOW_TEST_PORT=COM5, PELLOW_TEST_FAR_PORT=COM6  the two ports
#   PELLOW_LINE=<pty>, PELLOW_FAR_LINE=<pty>           the same two ends for Linux programs
#
# Wine maps COM1 to /dev/ttyS0 by itself, and on these machines that is the live system
# console. So everything runs in a mount namespace of its own in which every serial
# device node is /dev/null, and in a fresh Wine prefix whose com1..com4 links are removed
# before any test starts. Without such a namespace nothing runs (exit 77, skipped).
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: with_wine_line.sh COMMAND [ARGUMENT...]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${PELLOW_WINE_NAMESPACE:-}" ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(--map-root-user)
    if ! unshare --mount "${as_root[@]}" true 2>/dev/null; then
        echo "skipped: no mount namespace to hide the machine's serial ports from Wine" >&2
        exit 77
    fi
    PELLOW_WINE_NAMESPACE=1 exec unshare --mount --propagation private "${as_root[@]}" "$0" "$@"
fi

# In the namespace: Wine sees no serial device of the machine.
mount -t tmpfs none /sys/class/tty
for node in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM*; do
    [ -e "$node" ] && mount --bind /dev/null "$node"
done

work=$(mktemp -d /tmp/pellow-wine-XXXXXX)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
relay=
cleanup() {
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    [ -z "$relay" ] || kill "$relay" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cc -shared -fPIC -O2 -o "$work/pty_modem_shim.so" "$here/pty_modem_shim.c" -ldl
mkdir "$work/bin"
cat >"$work/bin/pellow-wine" <<SCRIPT
#!/bin/sh
LD_PRELOAD="$work/pty_modem_shim.so" exec /usr/lib/wine/wine64 "\$@"
SCRIPT
chmod +x "$work/bin/pellow-wine"
export PATH="$work/bin:$PATH"

export PELLOW_LINE="$work/line" PELLOW_FAR_LINE="$work/far-line"
socat pty,raw,echo=0,link="$PELLOW_LINE" pty,raw,echo=0,link="$PELLOW_FAR_LINE" &
relay=$!

made=$(date +%s%N)
/usr/lib/wine/wine64 wineboot --init
echo "Wine prefix made in $(( ($(date +%s%N) - made) / 1000000 )) ms" >&2
for _ in $(seq 100); do
    [ -e "$PELLOW_LINE" ] && [ -e "$PELLOW_FAR_LINE" ] && break
    sleep 0.05
done
# An empty port entry keeps Wine from making that port of its own accord: the device it
# finds on its own (here /dev/null) goes to a number above the two of the line instead.
ports='HKLM\Software\Wine\Ports'
for n in 1 2 3 4; do
    rm -f "$WINEPREFIX/dosdevices/com$n"
    /usr/lib/wine/wine64 reg add "$ports" /v "COM$n" /d '' /f >/dev/null
done
/usr/lib/wine/wine64 reg add "$ports" /v COM5 /d "$PELLOW_LINE" /f >/dev/null
/usr/lib/wine/wine64 reg add "$ports" /v COM6 /d "$PELLOW_FAR_LINE" /f >/dev/null
# The port links are made when Wine starts next.
/usr/lib/wine/wineserver64 -w
export PELLOW_TEST_PORT=COM5 PELLOW_TEST_FAR_PORT=COM6

"$@"
