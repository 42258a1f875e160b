#!/usr/bin/env bash
# Makes the bundled maps from the OpenStreetMap extracts of the test data
# (tests/data/osm, see tests/data/SOURCES.md), with the importer's defaults:
#   data/hanoi.kvp            from osm/hanoi_van_mieu.osm (Hanoi, around Văn Miếu)
#   data/hcmc_district3.kvp   from osm/hcmc_district3.osm (Ho Chi Minh City, District 3)
# The map data is © OpenStreetMap contributors, under the ODbL.
#
# Usage: scripts/import-demo.sh [DATA_DIR]
#   DATA_DIR holds osm/*.osm; it defaults to tests/data.
#   BUILD names the build folder (default build); korvane-tool is built there
#   first when it is missing or out of date.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
data="$(cd "${1:-$root/tests/data}" && pwd)"
build="${BUILD:-$root/build}"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j2 --target korvane-tool
tool="$build/tools/korvane-tool"

"$tool" import "$data/osm/hanoi_van_mieu.osm" -o "$root/data/hanoi.kvp"
"$tool" import "$data/osm/hcmc_district3.osm" -o "$root/data/hcmc_district3.kvp"
"$tool" check "$root/data/hanoi.kvp"
"$tool" check "$root/data/hcmc_district3.kvp"
