#!/usr/bin/env bash
# staged_install.sh BUILD BINDIR SYSCONFDIR: installs the game from BUILD into
# a staging folder (DESTDIR) and plays the installed copy with an empty home.
# It must find its media through the settings for every user, make the
# user's own folders, show the opening picture and the players' screen, pass
# --check-media, and never write into the installation.
set -euo pipefail
build=$1 bindir=$2 sysconfdir=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root=$stage/root
DESTDIR=$root cmake --install "$build" > /dev/null
touch "$stage/installed"

export HOME=$stage/home XDG_CONFIG_DIRS=$root$sysconfdir/xdg
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
mkdir -p "$HOME"
tapo=$root$bindir/tapo
fail() { echo "staged install: $*" >&2; exit 1; }

[[ $("$tapo" --version) == "tapo "* ]] || fail "--version"
# The installed catalogues, menu entry and manual speak Czech to a Czech desktop.
share=$(dirname "$tapo")/../share
[[ $(LANGUAGE=cs "$tapo" --help) == "použití: tapo"* ]] || fail "--help in Czech: $(LANGUAGE=cs "$tapo" --help)"
grep -q '^GenericName\[cs\]=Počítací hra$' "$share/applications/io.github.numerino.tapo.desktop" ||
  fail "no Czech menu entry"
grep -q 'xml:lang="cs"' "$share/metainfo/io.github.numerino.tapo.metainfo.xml" || fail "no Czech store entry"
[ -f "$share/tapo/own/en/DRIL/TAPOPAGE.WAV" ] && [ -f "$share/tapo/own/cs/UNI_SND/DOBROU.TXT" ] ||
  fail "the game's own talks were not installed beside the media"
[ -f "$share/man/cs/man6/tapo.6.gz" ] && [ -f "$share/man/ru/man6/tapo.6.gz" ] || fail "no Czech or Russian manual"
"$tapo" --check-media > "$stage/check.txt" || fail "--check-media: $(cat "$stage/check.txt")"
printf 'click 1 1\nwait-until show frm_hraci\nwait 100\n' > "$stage/script"
"$tapo" --play "$stage/script" > "$stage/trace" 2>&1 || fail "the run failed: $(cat "$stage/trace")"
grep -q '^0 show frm_inout$' "$stage/trace" || fail "no opening picture: $(cat "$stage/trace")"
grep -q ' show frm_hraci$' "$stage/trace" || fail "no players' screen: $(cat "$stage/trace")"
! grep -Eq ' (missing|damaged|msgbox) ' "$stage/trace" || fail "$(grep -E ' (missing|damaged|msgbox) ' "$stage/trace")"
[ -f "$HOME/.local/share/tapo/data/SKOK.DAT" ] || fail "the data folder's shared files were not copied"
[ -d "$HOME/.cache/tapo" ] || fail "no work folder"
changed=$(find "$root" -newer "$stage/installed")
[ -z "$changed" ] || fail "written into the installation: $changed"
# The desktop's language picks the installed speech of its own; the key C
# (captions) is remembered in settings of the user's own, made complete from
# the installation's.
if [ -d "$(dirname "$tapo")/../share/tapo/media-cs" ]; then
  printf 'key c\nclick 1 1\nwait-until caption\n' > "$stage/czech"
  LANG=cs_CZ.UTF-8 "$tapo" --play "$stage/czech" > "$stage/trace" 2>&1 || fail "the Czech run failed: $(cat "$stage/trace")"
  grep -q ' language cs$' "$stage/trace" || fail "Czech not chosen: $(cat "$stage/trace")"
  grep -q ' caption .' "$stage/trace" || fail "no caption: $(cat "$stage/trace")"
  grep -q '^CAPTIONS=1' "$HOME/.config/tapo/TAPO.INI" || fail "captions not remembered"
  "$tapo" --play "$stage/script" > "$stage/trace" 2>&1 || fail "the run after C failed: $(cat "$stage/trace")"
  ! grep -Eq ' (missing|msgbox) ' "$stage/trace" || fail "the settings made by C: $(cat "$stage/trace")"
fi
# The user's own settings win, and one that is incomplete is refused as ever.
mkdir -p "$HOME/.config/tapo"
printf '[Tapo MAT]\r\nHD=%s\r\n' "$root" > "$HOME/.config/tapo/TAPO.INI"
LANGUAGE=ru "$tapo" --play "$stage/script" > "$stage/trace" 2>&1 || true
grep -q ' msgbox Стоп! | На вашем компьютере не была завершена установка' "$stage/trace" ||
  fail "the user's incomplete settings were not refused: $(cat "$stage/trace")"
echo "staged install: ok"
