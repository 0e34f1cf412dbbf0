#!/usr/bin/env bash
# Installs, builds and starts the program (needs a desktop session or Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec build/bin/hehun
