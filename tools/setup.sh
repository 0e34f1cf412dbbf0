#!/usr/bin/env bash
# Installs the Debian packages the program needs and builds it into build/.
# Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins libsqlite3-dev sqlite3 \
  libgtest-dev libgmock-dev libbenchmark-dev libnova-dev libhowardhinnant-date-dev tzdata unicode-data bzip2 libopencc-dev opencc pkgconf fonts-noto-cjk xvfb xauth \
  qt6-translations-l10n poppler-utils librsvg2-bin dpkg-dev desktop-file-utils clang libclang-rt-14-dev help2man lintian >/dev/null
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
