#!/usr/bin/env bash
# Runs every benchmark executable the build produced; each prints its own figures.
set -euo pipefail
build_dir=${1:-build}
shopt -s nullglob
found=0
for exe in "$build_dir"/bench/bench_*; do
  [ -x "$exe" ] && [ -f "$exe" ] || continue
  found=1
  echo "== $(basename "$exe")"
  QT_QPA_PLATFORM=offscreen "$exe"
done
[ "$found" -eq 1 ] || echo "no benchmark executables in $build_dir/bench"
