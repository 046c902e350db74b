#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and the address and
# undefined-behaviour sanitizers) into build-fuzz/ and runs each for
# SECONDS, starting from its checked-in corpus. New inputs go to a scratch
# corpus in build-fuzz/, findings (crash-*, leak-*) to build-fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: Categories Codec Convert
# HttpReply IniFile Merge Names Reflow Rtf Search; default all)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(Categories Codec Convert HttpReply IniFile Merge Names Reflow Rtf Search)
KESTRUM_EXTRA_PACKAGES="clang libclang-rt-14-dev" source "$root/scripts/packages.sh"

build=$root/build-fuzz
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRUM_FUZZ=ON -DKESTRUM_BUILD_APP=OFF -DKESTRUM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in "${targets[@]}"; do
  scratch=$build/corpus/$target
  mkdir -p "$scratch"
  log=$build/findings/$target.log
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -artifact_prefix="$build/findings/$target-" "$scratch" "$root/tests/fuzz/corpus/$target" \
    >"$log" 2>&1 || { echo "$target: FINDING (see $log)"; tail -30 "$log"; exit 1; }
  runs=$(grep -oE "^#[0-9]+" "$log" | tail -1)
  echo "$target: ${runs#\#} executions in ${seconds} s, no finding"
done
