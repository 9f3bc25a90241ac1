#!/usr/bin/env bash
# install-demo.sh BUILD_DIR: installs the generated demo media and writes
# TAPO.INI, as an installer would:
#   media   -> $XDG_DATA_HOME/tapo/media   ("HD")
#   media-L -> $XDG_DATA_HOME/tapo/media-L (the speech of each further language L)
#   work    -> $XDG_CACHE_HOME/tapo        ("HD2", the temporary sound copy)
#   data    -> $XDG_DATA_HOME/tapo/data    ("HD_SHORT", profiles and shared scripts)
# Existing profiles (HRACI.DAT, VYSLEDKY.DAT) are never overwritten.
set -euo pipefail
build="$1"
demo="$build/demo"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
cache_home="${XDG_CACHE_HOME:-$HOME/.cache}"
config_home="${XDG_CONFIG_HOME:-$HOME/.config}"

media="$data_home/tapo/media"
data="$data_home/tapo/data"
work="$cache_home/tapo"
mkdir -p "$media" "$data" "$work" "$config_home/tapo"

cp -rT "$demo/media" "$media"
rm -rf "$media"-*
for lang in "$demo"/media-*; do
  [ -d "$lang" ] && cp -r "$lang" "$media-${lang##*/media-}"
done
for f in "$demo/data"/* ; do
  [ -e "$f" ] || continue
  case "$(basename "$f" | tr a-z A-Z)" in
    HRACI.DAT|VYSLEDKY.DAT) [ -e "$data/$(basename "$f")" ] && continue ;;
  esac
  cp -r "$f" "$data/"
done

# The data folder is written with a closing separator: shared scripts are
# looked up there by bare file name.
printf '[Tapo MAT]\r\nHD=%s\r\nHD2=%s\r\nHD_SHORT=%s/\r\n' "$media" "$work" "$data" > "$config_home/tapo/TAPO.INI.new"
mv "$config_home/tapo/TAPO.INI.new" "$config_home/tapo/TAPO.INI"
echo "Demo media installed in $media; settings in $config_home/tapo/TAPO.INI"
