#!/usr/bin/env bash
# Installs, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec build/bin/hehun-cli solarterms "$(date +%Y)"
