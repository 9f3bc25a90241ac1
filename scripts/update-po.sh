#!/usr/bin/env bash
# Gathers the program's words (tr("…") and tr_later("…") in the sources, the desktop entry,
# the store entry) into po/tapo.pot and merges them into each translation,
# where a translator then fills in what is new (msgfmt --statistics tells).
#   scripts/update-po.sh          update po/tapo.pot and po/*.po
#   scripts/update-po.sh --check  fail when a word of the sources lacks a
#                                 translation (or has only a fuzzy one)
set -euo pipefail
cd "$(dirname "$0")/.."

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mapfile -t sources < <(find app core players navigation games grownups platform -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
common=(--from-code=UTF-8 --add-location=file --sort-by-file)
xgettext "${common[@]}" --language=C++ --keyword= --keyword=tr --keyword=tr_later --add-comments=TRANSLATORS: \
  --package-name=tapo --msgid-bugs-address=tapo@numerino.invalid -o "$tmp/code.pot" "${sources[@]}"
xgettext "${common[@]}" --language=Desktop -o "$tmp/desktop.pot" packaging/io.github.numerino.tapo.desktop
xgettext "${common[@]}" -o "$tmp/metainfo.pot" packaging/io.github.numerino.tapo.metainfo.xml
msgcat --use-first --add-location=file -o "$tmp/tapo.pot" "$tmp/code.pot" "$tmp/desktop.pot" "$tmp/metainfo.pot"

if [ "${1:-}" = --check ]; then
  failed=0
  for po in po/*.po; do
    msgmerge --quiet --add-location=file -o "$tmp/merged.po" "$po" "$tmp/tapo.pot"
    stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$tmp/merged.po" 2>&1)
    echo "$po: $stats"
    if [[ "$stats" == *untranslated* || "$stats" == *fuzzy* ]]; then
      failed=1
      { msgattrib --untranslated "$tmp/merged.po"; msgattrib --only-fuzzy "$tmp/merged.po"; } | grep -A1 '^msgid' || true
    fi
  done
  exit $failed
fi

cp "$tmp/tapo.pot" po/tapo.pot
for po in po/*.po; do
  msgmerge --quiet --update --backup=none --add-location=file "$po" po/tapo.pot
  echo "$po: $(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)"
done
