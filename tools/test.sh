#!/usr/bin/env bash
# Installs, builds and runs every test; then the same tests and the short
# fuzzing runs under the sanitizers (tools/test_sanitized.sh, build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j"$(nproc)")
bash tools/test_sanitized.sh
