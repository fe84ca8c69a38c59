#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs each one, starting from its seed corpus in fuzz/corpus/<target>,
# for a bounded time. Any crash, leak, undefined behaviour or failed check fails the
# script; the input that caused it is left in the build folder's fuzz-artifacts/.
#
#   TARNEX_FUZZ_SECONDS   seconds per target (default 50)
#   TARNEX_FUZZ_BUILD_DIR build folder (default build-fuzz)
#   TARNEX_FUZZ_TARGETS   only these targets (space separated names)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${TARNEX_FUZZ_SECONDS:-50}
build=${TARNEX_FUZZ_BUILD_DIR:-build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTARNEX_BUILD_FUZZ=ON -DTARNEX_BUILD_UI=OFF -DTARNEX_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null

targets=${TARNEX_FUZZ_TARGETS:-$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')}
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
failed=()
for target in $targets; do
  # New inputs go to a working corpus in the build folder; the seeds stay as they are.
  work=$build/fuzz-corpus/$target
  mkdir -p "$work"
  seeds=$root/fuzz/corpus/$target
  [ -d "$seeds" ] || seeds=
  echo "== $target: ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$work" ${seeds:+"$seeds"} \
      >"$build/fuzz-$target.log" 2>&1; then
    failed+=("$target")
    tail -n 60 "$build/fuzz-$target.log"
  else
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/fuzz-$target.log" | tr '\n' ' '
    echo
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $artifacts)"
  exit 1
fi
echo "Fuzzing: no faults"
