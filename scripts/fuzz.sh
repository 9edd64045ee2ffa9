#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, address and undefined-behaviour
# sanitizers) and runs each for FUZZ_SECONDS, or until FUZZ_RUNS executions when that is set, with
# at most FUZZ_RSS_MB of memory (512) and one second an input. The workbook targets (fuzz/io) link Qt.
# Arguments name targets (fuzz_dates ...); none means all. Each target starts from its seeds in
# fuzz/corpus/<target>, its past crashes in fuzz/regressions/<target> and, for the series target,
# the H.15 files of the shared data folder; the corpus it grows stays in the build folder.
# Prints one line per target: executions, crashes. A crash input is kept under
# $FUZZ_BUILD/crashes/<target>/; add it to fuzz/regressions/<target>/ once it is fixed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-build-fuzz}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:-}
jobs=${JOBS:-$(nproc)}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DYARROW_FUZZ=ON -DYARROW_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$root"/fuzz/fuzz_*.cpp "$root"/fuzz/io/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

shared=""
for d in "$root/../shared/data" "$root/../../shared/data"; do
  [ -d "$d" ] && { shared=$d; break; }
done

status=0
printf '%-20s %14s %8s\n' target executions crashes
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  crashes="$build/crashes/$t"
  mkdir -p "$work" "$crashes"
  for seeds in "$root/fuzz/corpus/$t" "$root/fuzz/regressions/$t"; do
    [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  done
  if [ "$t" = fuzz_h15_series ] && [ -n "$shared" ]; then
    for f in "$shared"/h15/*.txt; do
      [ -f "$f" ] && { printf '\000'; cat "$f"; } >"$work/shared-$(basename "$f")"
    done
  fi
  # Workbooks are zip archives of a few kilobytes at least.
  maxlen=4096
  case "$t" in fuzz_workbook_*) maxlen=16384 ;; esac
  limit=(-max_total_time="$seconds")
  [ -n "$runs" ] && limit=(-runs="$runs")
  log="$build/$t.log"
  "$build/bin/$t" "$work" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$crashes/" \
    -rss_limit_mb="${FUZZ_RSS_MB:-512}" -timeout=1 -max_len="$maxlen" >"$log" 2>&1 || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$crashes" -type f | wc -l)
  printf '%-20s %14s %8s\n' "$t" "${execs:-?}" "$found"
  [ "$found" -eq 0 ] && [ -n "$execs" ] || status=1
done
exit $status
