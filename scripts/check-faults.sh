#!/usr/bin/env bash
# Shows that the test suite finds real faults: applies each one-line fault under tests/faults/ to
# src/, rebuilds, runs the whole suite, records which tests failed and reverts the fault.
# A fault that no test catches makes the script fail.
#   scripts/check-faults.sh [build-dir] [patch ...]     (default: build, every patch)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
shift || true
patches=("$@")
[ ${#patches[@]} -gt 0 ] || patches=("$root"/tests/faults/*.patch)
cd "$root"

if ! git diff --quiet -- src; then
  echo "check-faults: src/ has uncommitted changes; commit or stash them first" >&2
  exit 2
fi
applied=""
revert() { [ -z "$applied" ] || git apply -R "$applied"; applied=""; }
trap revert EXIT

cmake --build "$build" -j"$(nproc)" >/dev/null
uncaught=0
printf '| fault | failing tests | caught by |\n|---|---|---|\n'
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  if ! git apply "$patch"; then
    printf '| %s | - | does not apply to this src/ |\n' "$name"
    uncaught=$((uncaught + 1))
    continue
  fi
  applied=$patch
  failed_log="$build/Testing/Temporary/LastTestsFailed.log"
  rm -f "$failed_log"
  if ! cmake --build "$build" -j"$(nproc)" >"$build/fault-$name.log" 2>&1; then
    printf '| %s | - | the build (see fault-%s.log) |\n' "$name" "$name"
  else
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --timeout 120 >>"fault-$name.log" 2>&1) || true
    if [ -s "$failed_log" ]; then
      tests=$(cut -d: -f2- "$failed_log")
      printf '| %s | %s | %s |\n' "$name" "$(wc -l <<<"$tests")" "$(paste -sd' ' <<<"$tests")"
    else
      printf '| %s | 0 | NOTHING |\n' "$name"
      uncaught=$((uncaught + 1))
    fi
  fi
  revert
done
cmake --build "$build" -j"$(nproc)" >/dev/null
[ "$uncaught" -eq 0 ] || { echo "check-faults: $uncaught fault(s) not caught" >&2; exit 1; }
