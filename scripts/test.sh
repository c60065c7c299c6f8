#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the whole test
# suite: static checks, the tests, the fuzzers built with clang (so both
# compilers of the release build the core), the threaded runs built with
# ThreadSanitizer, then the tests again built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Window tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Static checks (clang-tidy on the core)"
core_sources=(number/*.cpp elements/*.cpp calculator/*.cpp plotter/*.cpp)
if ! tidy=$(clang-tidy -p build --quiet --extra-arg=-Wno-unknown-warning-option "${core_sources[@]}" 2>&1); then
  echo "$tidy" | grep -v 'warnings generated'
  echo "clang-tidy found problems"
  exit 1
fi

echo "== Tests"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== Fuzzers built with clang and libFuzzer, each run once over its corpus"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRUM_FUZZ=ON -DVELTRUM_GUI=OFF \
  -DVELTRUM_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target keys_fuzzer evaluator_fuzzer formula_fuzzer function_set_fuzzer tape_fuzzer
for name in keys evaluator formula function_set tape; do
  if ! out=$(build-fuzz/fuzz/${name}_fuzzer -runs=0 "fuzz/corpus/$name" 2>&1); then
    echo "$out"
    echo "${name}_fuzzer failed on its corpus"
    exit 1
  fi
  echo "${name}_fuzzer: $(find "fuzz/corpus/$name" -type f | wc -l) corpus inputs ran clean"
done

echo "== Threaded sampling runs and analyses built with ThreadSanitizer"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRUM_SANITIZE_THREAD=ON -DVELTRUM_GUI=OFF \
  -DVELTRUM_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target core_tests
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j "$jobs" -R 'Sampling|Analysis')

echo "== Tests built with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRUM_SANITIZE=ON -DVELTRUM_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure -j "$jobs"
