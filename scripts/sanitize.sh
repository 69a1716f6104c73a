#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer, UndefinedBehaviorSanitizer and leak checking
# into build-asan/ (or the directory given) and runs every test there, the end-to-end ones
# included: they run the sanitized editor in a display of their own. Any sanitizer report, from a
# test process or from an editor the tests started, fails the run: reports go to files under
# <build>/sanitizer-logs, which must stay empty.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-asan}

cmake -S . -B "$build_dir" -DBRICKEDIT_SANITIZE=ON -DBRICKEDIT_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

logs="$PWD/$build_dir/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
# Full stacks, so that the suppressions can name the library entry point a leak comes from.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=23:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:log_path=$logs/asan"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
# The editors started by the end-to-end tests draw straight to the X window rather than through
# Mesa: full stacks on every allocation are too slow inside Mesa's start-up (and it can deadlock
# with its threads). The pixels are the same.
export SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software

status=0
# Valgrind cannot run a sanitized editor: that session runs in the plain build only.
(cd "$build_dir" && ctest --output-on-failure -j 2 -E '^ValgrindSession\.') || status=1

reports=$(find "$logs" -type f | sort)
if [[ -n $reports ]]; then
  status=1
  echo "Sanitizer reports:"
  for report in $reports; do
    echo "--- $report"
    head -60 "$report"
  done
  echo "sanitizers: $(echo "$reports" | wc -l) report(s)"
else
  echo "sanitizers: no report"
fi
exit $status
