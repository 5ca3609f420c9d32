#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test; then runs the
# Qt-free tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzzers (project files, warps) for a short while each.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== Build and test"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRELL_WERROR=ON
cmake --build build-test -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j"$jobs"

echo "== Qt-free tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKAVRELL_WERROR=ON -DKAVRELL_SANITIZE=ON \
    -DKAVRELL_WITH_QT=OFF -DKAVRELL_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Fuzzers under AddressSanitizer and UndefinedBehaviorSanitizer"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRELL_FUZZ=ON \
    -DKAVRELL_WITH_QT=OFF -DKAVRELL_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target project_parser_fuzz warp_sequence_fuzz
mkdir -p build-fuzz/corpus build-fuzz/warp-corpus
build-fuzz/fuzz/project_parser_fuzz -max_total_time=30 -dict=fuzz/project.dict \
    -artifact_prefix=build-fuzz/ build-fuzz/corpus examples
build-fuzz/fuzz/warp_sequence_fuzz -max_total_time=30 -artifact_prefix=build-fuzz/ build-fuzz/warp-corpus
echo "== All tests passed"
