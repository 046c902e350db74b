#!/usr/bin/env bash
# Builds Kestrum with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs every test there. Leaks that system libraries
# keep until exit are suppressed by name (tests/sanitize/lsan.supp); leak
# checking itself stays on.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/packages.sh"
build=$root/build-sanitize
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUM_SANITIZE=ON \
  -DKESTRUM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitize/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
