#!/usr/bin/env bash
# Makes the bundled maps from the shared OpenStreetMap extracts, with the
# importer's defaults:
#   data/hanoi.kvp            from osm/hanoi_van_mieu.osm (Hanoi, around Văn Miếu)
#   data/hcmc_district3.kvp   from osm/hcmc_district3.osm (Ho Chi Minh City, District 3)
# The map data is © OpenStreetMap contributors, under the ODbL.
#
# Usage: scripts/import-demo.sh [SHARED_DATA_DIR]
#   SHARED_DATA_DIR defaults to ../shared/data beside the repository.
#   BUILD names the build folder (default build); korvane-tool is built there
#   first when it is missing or out of date.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
shared="$(cd "${1:-$root/../shared/data}" && pwd)"
build="${BUILD:-$root/build}"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j2 --target korvane-tool
tool="$build/tools/korvane-tool"

"$tool" import "$shared/osm/hanoi_van_mieu.osm" -o "$root/data/hanoi.kvp"
"$tool" import "$shared/osm/hcmc_district3.osm" -o "$root/data/hcmc_district3.kvp"
"$tool" check "$root/data/hanoi.kvp"
"$tool" check "$root/data/hcmc_district3.kvp"
