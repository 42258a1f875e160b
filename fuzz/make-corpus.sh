#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target into OUT/<target>/: the
# hand-written seeds of fuzz/seeds/<target>/, and small cuts of the project's
# own data (large files make slow fuzzing: the seeds stay a few kilobytes).
#
#   fuzz/make-corpus.sh OUT
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
out="$1"

# seed TARGET CUT FILE...: each file, through the command CUT, as a seed.
seed() {
  local target="$1" cut="$2"
  shift 2
  mkdir -p "$out/$target"
  for file in "$@"; do
    $cut "$file" > "$out/$target/$(basename "$file")"
  done
}

# A map with its header and the first three records of each section.
abridge_map() {
  awk '/CENP\// { header = 1; print; next }
       !header || /^[^\t]/ { records = 0; print; next }
       /^\t[^\t]/ { ++records }
       records <= 3 { print }' "$1"
}

# An extract with its first short named streets, their nodes and the first
# named nodes (places); the editing metadata left out.
abridge_osm() {
  awk 'function id_of(line) { match(line, /id="[0-9]+"/); return substr(line, RSTART + 4, RLENGTH - 5) }
       NR == FNR {
         if ($0 ~ /<node /) { node = id_of($0) }
         else if ($0 ~ /<way /) { node = ""; way = id_of($0); refs = ""; n = 0; named = 0; street = 0 }
         else if ($0 ~ /<nd /) { match($0, /ref="[0-9]+"/); refs = refs " " substr($0, RSTART + 5, RLENGTH - 6); ++n }
         else if ($0 ~ /k="highway"/) street = 1
         else if ($0 ~ /k="name"/) {
           named = 1
           if (node != "" && places++ < 3) keep_node[node] = 1
         }
         else if ($0 ~ /<\/way>/ && street && named && n <= 8 && ways++ < 4) {
           keep_way[way] = 1
           split(refs, r, " "); for (i in r) keep_node[r[i]] = 1
         }
         next
       }
       /<(node|way|relation) / {
         id = id_of($0)
         keep = ($0 ~ /<node / && id in keep_node) || ($0 ~ /<way / && id in keep_way)
       }
       /^<\?xml|<osm |<bounds / { print; next }
       keep { print }
       /<\/(node|way|relation)>|<node .*\/>/ { keep = 0 }
       END { print "</osm>" }' "$1" "$1" |
    sed -E '/<(node|way) /s/ (visible|version|changeset|timestamp|user|uid)="[^"]*"//g'
}

first_kilobyte() { head -c 1024 "$1"; }

for dir in "$src"/fuzz/seeds/*/; do
  seed "$(basename "$dir")" cat "$dir"*
done
seed map abridge_map "$src"/data/*.kvp
seed mapview cat "$src"/data/*.kvp
seed osm abridge_osm "$src"/tests/data/osm/*.osm
seed nmea first_kilobyte "$src"/tests/data/nmea/*.log
