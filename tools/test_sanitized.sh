#!/usr/bin/env bash
# Builds the program, its tests and the libFuzzer targets with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, -O1) into
# build-asan/, and runs the whole test suite there, the fuzz targets' short
# runs included. Any sanitizer finding fails its test. Needs the packages of
# tools/setup.sh (clang, libclang-rt-14-dev).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only" -DHEHUN_FUZZ=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
cd build-asan
ctest --output-on-failure -j"$(nproc)"
