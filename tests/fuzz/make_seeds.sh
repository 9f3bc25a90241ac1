#!/usr/bin/env bash
# make_seeds.sh MEDIA OUT: the fuzz targets' first inputs, OUT/<target>/,
# taken from a media tree (the demo pack, build/demo) and a few written here.
# Binary files are cut to 64 KB, the most a fuzz run reads.
set -euo pipefail
media=$1 out=$2
rm -rf "$out"
for t in ini listinput animation_script talk_files areas bmp blit wav avi play_script; do mkdir -p "$out/$t"; done

# `seed TARGET NAME`: standard input becomes the target's input NAME.
seed() { cat > "$out/$1/$2"; }
# `prefix BYTE FILE`: the file's text after a first byte (the targets' mode).
prefix() { { printf "\\x$1"; cat "$2"; }; }

while IFS= read -r -d '' f; do
  stem=${f%.*} name=$(echo "${f#"$media"/}" | tr '/' '_')
  seed listinput "$name" < "$f"
  if grep -q '^ *[0-9][0-9]* *[xX]' "$f"; then
    prefix 00 "$f" | seed animation_script "$name"
  elif compgen -G "$stem.[Aa][Vv][Ii]" > /dev/null; then
    prefix 01 "$f" | seed talk_files "$name"  # a placement beside its clip
  elif compgen -G "$stem.[Ww][Aa][Vv]" > /dev/null; then
    prefix 00 "$f" | seed talk_files "$name"  # marks beside their sound
  else
    for shape in 01 02 03; do prefix "$shape" "$f" | seed areas "$shape-$name"; done
  fi
done < <(find "$media" -type f \( -iname '*.dat' -o -iname '*.pos' -o -iname '*.idx' \) -size -4k -print0)
# Captions beside spoken sounds.
mapfile -t captions < <(find "$media" -type f -iname '*.txt' -size -4k | sort)
for f in "${captions[@]:0:20}"; do
  prefix 02 "$f" | seed talk_files "$(echo "${f#"$media"/}" | tr '/' '_')"
done

# Pictures, sounds and clips: the smallest of each kind, and the start of a few large ones.
for kind in bmp:bmp wav:wav avi:avi; do
  ext=${kind%%:*} target=${kind##*:}
  find "$media" -type f -iname "*.$ext" -printf '%s %p\n' | sort -n | awk 'NR <= 20 || NR % 25 == 0 {print $2}' |
    while IFS= read -r f; do head -c 65536 "$f" | seed "$target" "$(echo "${f#"$media"/}" | tr '/' '_')"; done
done

printf '[Tapo MAT]\r\nHD=/media\r\nHD2=/cache\r\n\0Tapo MAT\0HD_SHORT\0/data/' | seed ini profile-1
printf '[PRP]\r\nJmeno=Eva\r\nUroven=10\r\n\r\n[Vysledky]\r\nPenize=20\r\n\0prp\0 penize \0120' | seed ini profile-2
printf '\xEF\xBB\xBF; profiles\n[A]\nx = "quoted"\n[B]\ny=1\r' | seed ini profile-3
printf '\x10\x10\x20\x20\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x00\x00\x10\x00\x00\x00\x04\x00\x00\x00\xfc\xff\xff\xff\x01\x02\x00\x00\x00\x02\x00\x00\x00\x08\x00\x00\x00\x08\x00\x00\x00' | seed blit copy
cat <<'SCRIPT' | seed play_script commands
# past the opening picture
click 1 1
wait-until anim-end HD:\TERC\STRELBA.DAT
click-control cunik 0
down 10 20
move 30 40
up 30 40
key Enter
key a
type Eva  
wait 250
dump
shot out.png
wait-until talk-end
close
SCRIPT
