#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/ (or the directory given),
# then fuzzes each for a bounded time (FUZZ_SECONDS each, default 25). New inputs go to a work
# corpus inside the build directory; a crash leaves its input under <build>/artifacts/ and
# fails the script: add that input to fuzz/corpus/<target>/ once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-25}

cmake -S fuzz -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

export ASAN_OPTIONS=${FUZZ_ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for target in level_reader session game; do
  work="$build_dir/corpus/$target"
  mkdir -p "$work" "$build_dir/artifacts"
  seeds=(fuzz/corpus/$target)
  dict=()
  if [[ $target == level_reader ]]; then
    for dir in levels tests/data/levels; do
      [[ -d $dir ]] && seeds+=("$dir")
    done
    dict=(-dict=fuzz/level_reader.dict)
  fi
  log="$build_dir/$target.log"
  echo "Fuzzing $target for ${seconds}s (seeds: ${seeds[*]})"
  if "$build_dir/${target}_fuzz" "$work" "${seeds[@]}" "${dict[@]}" \
      -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
      -artifact_prefix="$build_dir/artifacts/${target}-" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz $target: $runs executions, no crash"
  else
    status=1
    echo "fuzz $target: FAILED; log $log, input:"
    ls "$build_dir"/artifacts/"$target"-* 2>/dev/null || true
    grep -E 'ERROR|SUMMARY|level reader|session|==[0-9]+==' "$log" | head -20 || true
  fi
done
exit $status
