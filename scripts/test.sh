#!/usr/bin/env bash
# The one test command. Installs what is missing, then runs every stage, each in its own build
# directory, and goes on after a failure so that one run shows everything:
#   1. normal build and every test (ctest -j 2; each window session runs in a display of its
#      own, started by xvfb-run);
#   2. the same tests built with AddressSanitizer, UndefinedBehaviorSanitizer and leak checking;
#   3. the fuzz targets built with clang and libFuzzer, each fuzzed for FUZZ_SECONDS;
#   4. the editor under Valgrind for a scripted session.
# Ends with a summary and the line "N passed, N failed" counted over all stages; exits non-zero
# when anything failed. SKIP_SANITIZE=1, SKIP_FUZZ=1 or SKIP_VALGRIND=1 leave a stage out.
#
# scripts/test.sh --fast runs only the tests of stage 1 but the Valgrind session, in build/ as
# it is (no install, no build): what the mutation tester runs for every mutant.
set -uo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} == --fast ]]; then
  cd build && exec ctest -j 2 --output-on-failure -E '^ValgrindSession\.'
fi

scripts/install-deps.sh || exit 1

logs=build/test-logs
mkdir -p "$logs"
passed=0
failed=0
summary=()
started=$SECONDS

# Adds a stage's counts: its name, its tests passed and failed, and a note.
record() {
  passed=$((passed + $2))
  failed=$((failed + $3))
  summary+=("$(printf '%-12s %4d passed %4d failed  %s' "$1" "$2" "$3" "$4")")
}

# Reads "NN% tests passed, F tests failed out of T" from a ctest log into $ctest_passed and
# $ctest_failed; a run that never got to ctest counts as one failure.
read_ctest() {
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  if [[ -z $line ]]; then
    ctest_passed=0
    ctest_failed=1
    return
  fi
  local total failures
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  failures=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  ctest_passed=$((total - failures))
  ctest_failed=$failures
}

stage() {
  echo
  echo "=== $1 ($(((SECONDS - started) / 60))m$(((SECONDS - started) % 60))s)"
}

stage "Build and test"
log=$logs/normal.log
{
  scripts/build.sh build && (cd build && ctest --output-on-failure -j 2 -E '^ValgrindSession\.')
} 2>&1 | tee "$log"
read_ctest "$log"
record "tests" "$ctest_passed" "$ctest_failed" "unit, sessions, frames, replays, window sessions"

if [[ ${SKIP_SANITIZE:-0} != 1 ]]; then
  stage "Sanitizers: AddressSanitizer, UndefinedBehaviorSanitizer, leaks"
  log=$logs/sanitize.log
  scripts/sanitize.sh build-asan 2>&1 | tee "$log"
  read_ctest "$log"
  if grep -q '^sanitizers: no report' "$log"; then
    record "sanitizers" $((ctest_passed + 1)) "$ctest_failed" "no sanitizer report"
  else
    record "sanitizers" "$ctest_passed" $((ctest_failed + 1)) "$(grep '^sanitizers:' "$log")"
  fi
fi

if [[ ${SKIP_FUZZ:-0} != 1 ]]; then
  stage "Fuzzing (${FUZZ_SECONDS:-25}s a target)"
  log=$logs/fuzz.log
  scripts/fuzz.sh build-fuzz 2>&1 | tee "$log"
  fuzz_passed=$(grep -c '^fuzz .*no crash' "$log")
  fuzz_failed=$(grep -c '^fuzz .*FAILED' "$log")
  [[ $fuzz_passed -eq 0 && $fuzz_failed -eq 0 ]] && fuzz_failed=1
  record "fuzz" "$fuzz_passed" "$fuzz_failed" \
    "$(grep -o '^fuzz [a-z_]*: [0-9?]* executions' "$log" | sed 's/^fuzz //' | paste -sd ';' - | sed 's/;/; /g')"
fi

if [[ ${SKIP_VALGRIND:-0} != 1 ]]; then
  stage "Valgrind session"
  log=$logs/valgrind.log
  (cd build && ctest --output-on-failure -R '^ValgrindSession\.') 2>&1 | tee "$log"
  read_ctest "$log"
  record "valgrind" "$ctest_passed" "$ctest_failed" "memcheck, full leak check"
fi

echo
echo "=== Summary ($(((SECONDS - started) / 60))m$(((SECONDS - started) % 60))s)"
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
