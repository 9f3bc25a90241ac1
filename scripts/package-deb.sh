#!/usr/bin/env bash
# package-deb.sh: builds build/ (only what changed) and makes the Debian
# package build/tapo_<version>_<arch>.deb from it, then shows its control
# data and its files.  Install it with: sudo apt install ./build/tapo_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
# Installed under /usr, so that the settings for every user go to /etc/xdg.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
built=$SECONDS
rm -f build/tapo_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/tapo_*.deb)
echo "== $deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
echo "package-deb.sh: build $((built - start)) s, package $((SECONDS - built)) s"
