#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ and runs each one for a while on a copy of
# its seed corpus (the corpus in the repository never grows here).
# Usage: scripts/run-fuzzers.sh [seconds per target, default 60] [build folder, default build-fuzz]
# FUZZ_CXX names the compiler (default clang++, then clang++-14); FUZZ_JOBS the build jobs (2).
# Exits non-zero when a target crashes, hangs, leaks or breaks one of its checks; what it found
# is kept in <build folder>/artifacts.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$top/build-fuzz}
case "$seconds" in
  '' | *[!0-9]*) echo "run-fuzzers: the seconds per target must be a whole number, not '$seconds'." >&2; exit 2 ;;
esac
mkdir -p "$build"
build=$(cd "$build" && pwd)

compiler=${FUZZ_CXX:-}
if [ -z "$compiler" ]; then
  for candidate in clang++ clang++-14; do
    if command -v "$candidate" > /dev/null; then compiler=$candidate; break; fi
  done
fi
if [ -z "$compiler" ] || ! command -v "$compiler" > /dev/null; then
  echo "run-fuzzers: ${compiler:-clang++} is not installed (Debian: apt-get install clang-14 libclang-rt-14-dev)." >&2
  exit 2
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$probe/probe.cpp"
if ! "$compiler" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2> "$probe/log"; then
  cat "$probe/log" >&2
  echo "run-fuzzers: $compiler cannot link libFuzzer with the sanitizers (Debian: apt-get install libclang-rt-14-dev)." >&2
  exit 2
fi

# Paths below the clone are hashed relative to it, so that a clone elsewhere hits the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
generator=()
if command -v ninja > /dev/null; then generator=(-G Ninja); fi
if command -v ccache > /dev/null; then generator+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$top/fuzz" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER="$compiler" > "$build/configure.log" ||
  { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --parallel "${FUZZ_JOBS:-2}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/artifacts"
failed=()
for seeds in "$top"/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  # Inputs larger than this only repeat what smaller ones reach: a dozen records, a saved system,
  # a request's bytes.
  case "$target" in
    manufacturer_file_fuzzer) maxLength=1100 ;;
    system_file_fuzzer) maxLength=2048 ;;
    *) maxLength=128 ;;
  esac
  corpus="$build/corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$seeds"* "$corpus"/
  echo "== $target: $seconds s"
  status=0
  "$build/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$maxLength" \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" > "$build/$target.log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$target.log" | tail -1)
  echo "   runs: ${runs:-?}, corpus now $(ls "$corpus" | wc -l) inputs, exit status $status"
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$build/$target.log" >&2
    failed+=("$target")
  fi
done
if [ "${#failed[@]}" -ne 0 ]; then
  echo "run-fuzzers: failed: ${failed[*]} (inputs kept in $build/artifacts)" >&2
  exit 1
fi
echo "run-fuzzers: no crash."
