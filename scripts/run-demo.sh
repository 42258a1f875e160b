#!/usr/bin/env bash
# Starts the program on the bundled map with a device root of its own under
# the build folder. The first start writes a settings file naming the map, so
# the program opens as a returning user's would; later starts keep what the
# program itself saved.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
root="$top/$build/device"
map="$top/data/hanoi.kvp"
[ -f "$map" ] || map="$top/data/demo.kvp"
settings="$root/My Documents/korvane.cfg"
if [ ! -f "$settings" ]; then
  mkdir -p "$root/My Documents"
  printf 'MapVer 1.2\r\nMapURL %s\r\nComType COM8: Serial 8\r\nBitRate 4800\r\nURLInforFile \r\nNumMyPlace 0\r\nend\r\n\r\n' \
    "$map" > "$settings"
fi
KORVANE_ROOT="$root" exec "$top/$build/src/korvane"
