#!/usr/bin/env bash
# Installs the Debian packages the game, its media generator and its tests
# need; only what is missing, so a second run does nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev zlib1g-dev libcairo2-dev libfontconfig-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libsqlite3-dev
  fonts-dejavu-core fonts-liberation2 espeak-ng festival festvox-us-slt-hts festvox-czech-krb festvox-ru sox
  libgtest-dev clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev gettext
)

# Without dpkg-query nothing can be told installed or not; asking apt for
# every package would only hide that.
if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "deps.sh: dpkg-query not found: this is not a Debian system, install these by hand:" >&2
  echo "  ${packages[*]}" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# root installs directly (sudo may not even be there); anyone else needs sudo.
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "deps.sh: missing ${missing[*]}; run this as root or install sudo" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
