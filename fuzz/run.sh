#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time on its
# seed corpus. Usage: fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
seconds="${2:-20}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" \
  -DBOARDSMITH_FUZZ=ON -DBOARDSMITH_BUILD_TESTS=OFF -DBOARDSMITH_BUILD_BENCH=OFF -DBOARDSMITH_BUILD_APP=OFF >/dev/null
cmake --build "$build" --target fuzz_project fuzz_macro fuzz_textio fuzz_gerber fuzz_drill
status=0
for name in project macro textio gerber drill; do
  work="$build/corpus-$name"
  mkdir -p "$work"
  echo "fuzzing the $name reader for ${seconds}s"
  if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/" \
      -print_final_stats=0 "$work" "$root/fuzz/corpus/$name" >"$build/fuzz-$name.log" 2>&1; then
    echo "fuzz_$name failed:"; tail -n 40 "$build/fuzz-$name.log"; status=1
  fi
done
exit $status
