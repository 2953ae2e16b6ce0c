#!/usr/bin/env bash
# Builds the .deb from a build folder, unpacks it into a scratch root and checks that
# the program, desktop entry and icons land where a desktop looks for them; then that the
# package has the README's name and that apt would install it here (simulated).
# README: cmake --build build && (cd build && cpack -G DEB)
# README: sudo apt install ./build/pellow_1.1_amd64.deb
set -euo pipefail
build=${1:?usage: check-deb.sh BUILD_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/pellow_*.deb)
expected=pellow_1.1_$(dpkg --print-architecture).deb
[ "$(basename "$deb")" = "$expected" ] || { echo "package is $(basename "$deb"), not $expected"; exit 1; }
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || { echo "Depends lacks Qt widgets: $depends"; exit 1; }
[[ $depends == *fonts-wqy-zenhei* ]] || { echo "Depends lacks the CJK font: $depends"; exit 1; }
dpkg -x "$deb" "$scratch/root"

for f in usr/bin/pellow \
         usr/share/applications/pellow.desktop \
         usr/share/icons/hicolor/scalable/apps/pellow.svg \
         usr/share/icons/hicolor/48x48/apps/pellow.png \
         usr/share/icons/hicolor/256x256/apps/pellow.png; do
    [ -e "$scratch/root/$f" ] || { echo "missing from the package: /$f"; exit 1; }
done
[ -x "$scratch/root/usr/bin/pellow" ] || { echo "/usr/bin/pellow is not executable"; exit 1; }
grep -q '^Exec=pellow$' "$scratch/root/usr/share/applications/pellow.desktop"
simulated=$(apt-get install --simulate "$deb" 2>&1) || true
grep -Eq '^Inst pellow \(1\.1 |^pellow is already the newest version \(1\.1\)' <<<"$simulated" ||
    { echo "apt would not install it: $simulated"; exit 1; }
echo "package ok: $(basename "$deb")"
