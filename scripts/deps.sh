#!/usr/bin/env bash
# Installs the Debian packages the game, its media generator and its tests
# need; only what is missing, so a second run does nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev zlib1g-dev libcairo2-dev libfontconfig-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  fonts-dejavu-core fonts-liberation2 espeak-ng
  libgtest-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
