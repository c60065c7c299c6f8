#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the whole test
# suite: static checks, the tests, the fuzzers built with clang (so both
# compilers of the release build the core), the threaded runs built with
# ThreadSanitizer, then the tests again built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Window tests run offscreen.
#
# The end-to-end scenarios and the package check mostly wait (for a window,
# the bus, lintian), so each tree's run of them goes on in the background
# beside the work that needs the processors; the builds beside them run at a
# lower priority, as a desktop's own programs stay ahead of a build.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS=0
stage() { printf '== %s (%d min %02d s in)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }

stage "Set-up and build"
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# A tree configured before keeps its generator.
configure() { local dir=$1; shift; [ -f "$dir/CMakeCache.txt" ] || set -- "${generator[@]}" "$@"; cmake -S . -B "$dir" "$@" >/dev/null; }
build() { nice -n 10 cmake --build "$@" -j "$jobs"; }
# The sanitizer trees optimise less and keep line tables only: they compile in
# half the time and their reports still name file and line.
sanitized=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")

waiting=   # tests that wait, started in the background: "LOG PID"
alongside() {
  local tree=$1 log
  log=$(mktemp)
  (cd "$tree" && ctest --output-on-failure -j 3 -R '^(e2e|packaging)\.') >"$log" 2>&1 &
  waiting="$log $!"
}
# Prints the background run's output; fails the command when it failed.
collect() {
  local log=${waiting% *} pid=${waiting#* } status=0
  wait "$pid" || status=$?
  cat "$log"
  rm -f "$log"
  waiting=
  return "$status"
}

stage "End-to-end scenarios and the package check, beside the next stages"
alongside build

stage "Static checks (clang-tidy on the core)"
core_sources=(number/*.cpp elements/*.cpp calculator/*.cpp plotter/*.cpp)
tidy_one() {
  local out
  if ! out=$(clang-tidy -p build --quiet --extra-arg=-Wno-unknown-warning-option "$@" 2>&1); then
    printf '%s\n' "$out" | grep -v 'warnings generated'
    echo "(in $*)"
  fi
}
export -f tidy_one
tidy=$(printf '%s\0' "${core_sources[@]}" | xargs -0 -P "$jobs" -n 4 bash -c 'tidy_one "$@"' tidy)
if [ -n "$tidy" ]; then
  echo "$tidy"
  echo "clang-tidy found problems"
  exit 1
fi

stage "Tests"
(cd build && ctest --output-on-failure -j "$jobs" -E '^(e2e|packaging)\.')

stage "Fuzzers built with clang and libFuzzer, each run once over its corpus"
CXX=clang++ configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRUM_FUZZ=ON -DVELTRUM_GUI=OFF \
  -DVELTRUM_TESTS=OFF
fuzzers=()
for corpus in fuzz/corpus/*/; do fuzzers+=("$(basename "$corpus")"); done
build build-fuzz --target "${fuzzers[@]/%/_fuzzer}"
for name in "${fuzzers[@]}"; do
  if ! out=$(build-fuzz/fuzz/${name}_fuzzer -runs=0 "fuzz/corpus/$name" 2>&1); then
    echo "$out"
    echo "${name}_fuzzer failed on its corpus"
    exit 1
  fi
  echo "${name}_fuzzer: $(find "fuzz/corpus/$name" -type f | wc -l) corpus inputs ran clean"
done

stage "Threaded sampling runs and analyses built with ThreadSanitizer"
configure build-tsan "${sanitized[@]}" -DVELTRUM_SANITIZE_THREAD=ON -DVELTRUM_GUI=OFF \
  -DVELTRUM_BENCH=OFF
build build-tsan --target core_tests
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j "$jobs" -R 'Sampling|Analysis')

stage "Tests built with AddressSanitizer and UndefinedBehaviorSanitizer: build"
configure build-asan "${sanitized[@]}" -DVELTRUM_SANITIZE=ON -DVELTRUM_BENCH=OFF \
  -DVELTRUM_TOOLS=OFF
build build-asan

stage "End-to-end scenarios and the package check (the first tree's run)"
collect

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
stage "Tests built with AddressSanitizer and UndefinedBehaviorSanitizer"
alongside build-asan
status=0
(cd build-asan && ctest --output-on-failure -j "$jobs" -E '^(e2e|packaging)\.') || status=$?
stage "End-to-end scenarios and the package check built with the sanitizers"
collect
exit "$status"
