#!/usr/bin/env bash
# Times kestrum-text search against ripgrep and grep on one corpus of
# 10,000 files (about 200 MB in 50 folders, GB18030 Chinese and ASCII), in
# one run, warm cache, median of 7; and counts the files each one finds.
# Byte matchers also count hits that start inside a character; ours must not.
# Usage: bench/search.sh [BUILD]   (default build/)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
KESTRUM_EXTRA_PACKAGES=ripgrep source "$root/scripts/packages.sh" >/dev/null
tool=$build/src/tools/kestrum-text
corpus=${KESTRUM_SEARCH_CORPUS:-/tmp/kestrum-search-corpus}

if [ ! -f "$corpus/.complete" ]; then
  rm -rf "$corpus"
  python3 - "$corpus" <<'PY'
import os, random, sys
root = sys.argv[1]
random.seed(20261209)
common = "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该铁价严"
rare, ascii = "罕见词", "the quick brown fox jumps over the lazy dog 0123456789 Kestrum notes\r\n"
for folder in range(50):
    d = os.path.join(root, f"category{folder:02d}")
    os.makedirs(d, exist_ok=True)
    for n in range(200):
        lines = []
        size = 0
        while size < 20000:
            if random.random() < 0.25:
                line = ascii
            else:
                line = "".join(random.choice(common) for _ in range(random.randint(10, 60))) + "\r\n"
            lines.append(line)
            size += len(line.encode("gb18030"))
        if (folder * 200 + n) % 997 == 0:
            lines.insert(len(lines) // 2, "这一行有" + rare + "在中间\r\n")
        with open(os.path.join(d, f"note{n:03d}.txt"), "wb") as out:
            out.write("".join(lines).encode("gb18030"))
open(os.path.join(root, ".complete"), "w").close()
PY
fi
du -sh "$corpus" | awk '{print "corpus: 10,000 files, " $1}'

median_ms() { # COMMAND...: median wall time of 7 warm runs, in ms
  "$@" >/dev/null 2>&1 || true
  local times=()
  for _ in 1 2 3 4 5 6 7; do
    local start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    times+=($((($(date +%s%N) - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 4p
}
hex() { printf '%s' "$1" | iconv -f utf-8 -t gb18030 | od -An -tx1 | tr -d ' \n' | sed 's/\(..\)/\\x\1/g'; }
folders=("$corpus"/category*)

printf '%-10s %-28s %8s %8s\n' word tool ms files
for word in 罕见词 不存在词 的; do
  bytes=$(hex "$word")
  run_ours() { "$tool" search "$word" "${folders[@]}"; }
  files_ours=$({ "$tool" search "$word" "${folders[@]}" || true; } | cut -d: -f1 | sort -u | wc -l)
  printf '%-10s %-28s %8s %8s\n' "$word" "kestrum-text search" "$(median_ms run_ours)" "$files_ours"
  # -l lists the files as rg -l does, each file searched up to its first hit.
  run_listing() { "$tool" search -l "$word" "${folders[@]}"; }
  printf '%-10s %-28s %8s %8s\n' "" "kestrum-text search -l" "$(median_ms run_listing)" \
    "$({ run_listing || true; } | wc -l)"
  printf '%-10s %-28s %8s %8s\n' "" "rg -l (bytes)" \
    "$(median_ms rg -l --no-ignore "(?-u)$bytes" "$corpus")" \
    "$(rg -l --no-ignore "(?-u)$bytes" "$corpus" | wc -l)"
  printf '%-10s %-28s %8s %8s\n' "" "rg -l -E gb18030" \
    "$(median_ms rg -l --no-ignore -E gb18030 -F "$word" "$corpus")" \
    "$(rg -l --no-ignore -E gb18030 -F "$word" "$corpus" | wc -l)"
  gbword=$(printf '%s' "$word" | iconv -f utf-8 -t gb18030)
  printf '%-10s %-28s %8s %8s\n' "" "LC_ALL=C grep -rlF" \
    "$(LC_ALL=C median_ms grep -rlF "$gbword" "$corpus")" \
    "$(LC_ALL=C grep -rlF "$gbword" "$corpus" | wc -l)"
done

# The window: first hits after the last key stroke, and the event loop's
# longest stall while the search runs.
for word in 罕见词 的; do
  "$build/bench/search_window_bench" "$corpus" "$word" 2>/dev/null | grep '^window'
done
