#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts in src/ (lupdate), and
# makes the Traditional Chinese ones anew from the Simplified source texts
# with OpenCC (Taiwan usage for zh_TW, Hong Kong's for zh_HK), followed by
# the corrections in translations/traditional-fixes.txt. English is written
# by hand in translations/kestrum_en.ts; a new text arrives there unfinished.
# Needs lupdate (qt6-l10n-tools), and for an update opencc and python3.
#
#   scripts/translations.sh          update the files
#   scripts/translations.sh --check  change nothing; fail when a text of the
#                                    sources has no finished translation
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)

# The core marks its message class with its own macro, as it has no Qt.
# lupdate's parser takes a "std::string f() {" definition for a member of a
# class std and says so; the texts are found all the same.
update() { # .ts files...
  "$lupdate" -silent -locations none -no-obsolete -source-language zh_CN \
    -tr-function-alias Q_DECLARE_TR_FUNCTIONS+=KESTRUM_TRANSLATION_CONTEXT \
    -extensions cpp,h "$root/src" -ts "$@" \
    2> >(grep -v 'Qualifying with unknown namespace/class ::std' >&2)
}

if [ "${1:-}" = --check ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$root"/translations/*.ts "$work/"
  update "$work"/*.ts
  if grep -l 'type="unfinished"' "$work"/*.ts; then
    echo "untranslated texts: run scripts/translations.sh and translate" >&2
    exit 1
  fi
  exit 0
fi

for language in en zh_TW zh_HK; do
  ts=$root/translations/kestrum_$language.ts
  [ -f "$ts" ] || printf '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="%s" sourcelanguage="zh_CN"></TS>\n' "$language" >"$ts"
  update "$ts"
done
python3 "$root/scripts/traditional.py" "$root/translations/kestrum_zh_TW.ts" s2twp.json \
  "$root/translations/traditional-fixes.txt" zh_TW
python3 "$root/scripts/traditional.py" "$root/translations/kestrum_zh_HK.ts" s2hk.json \
  "$root/translations/traditional-fixes.txt" zh_HK
# lupdate writes the files back in its own layout.
update "$root"/translations/kestrum_zh_TW.ts "$root"/translations/kestrum_zh_HK.ts
