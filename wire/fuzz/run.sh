#!/usr/bin/env bash
# Builds the protocol fuzzer with clang (separately from the main g++ build) and runs it for a
# bounded time on a seed corpus of valid messages cut at random points.
# Usage: run.sh <build-dir> [seconds]. Exits 77 (skipped) when clang or libFuzzer is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: run.sh <build-dir> [seconds]}
seconds=${2:-20}
cxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$cxx" ]; then
  echo "clang++ not found: protocol fuzzing skipped (install clang and libclang-rt-14-dev)"
  exit 77
fi
mkdir -p "$build"
probe="$build/probe.cpp"
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' > "$probe"
if ! "$cxx" -fsanitize=fuzzer "$probe" -o "$build/probe" 2>/dev/null; then
  echo "$cxx cannot link libFuzzer: protocol fuzzing skipped (install libclang-rt-14-dev)"
  exit 77
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2
seeds="$build/seeds"
corpus="$build/corpus"
artifacts="$build/artifacts"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$artifacts"
"$build/wire_fuzz_corpus" "$seeds"
"$build/wire_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds"
