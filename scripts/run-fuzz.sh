#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build (-DKORVANE_FUZZ=ON) one after the
# other, each for SECONDS, from its seeds and with its dictionary. New inputs
# go to BUILD/fuzz/found/<name>/, a crash or hang to
# BUILD/fuzz/artifacts/<name>/, the whole output to BUILD/fuzz/<name>.log.
# Stops at the first target that fails.
#
#   scripts/run-fuzz.sh BUILD SECONDS [NAME...]    (all targets when no NAME)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
seconds="$2"
shift 2
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for program in "$build"/fuzz/*_fuzz; do
    names+=("$(basename "${program%_fuzz}")")
  done
fi

export QT_LOGGING_RULES="korvane.debug=false"
for name in "${names[@]}"; do
  dir="$build/fuzz"
  mkdir -p "$dir/found/$name" "$dir/artifacts/$name"
  echo "== $name: ${seconds} s"
  # An input that runs 10 s is a hang; memory beyond 2 GiB is a fault.
  if ! "$dir/${name}_fuzz" "$dir/found/$name" "$dir/corpus/$name" -dict="fuzz/$name.dict" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/artifacts/$name/" > "$dir/$name.log" 2>&1; then
    tail -n 60 "$dir/$name.log"
    echo "== $name failed: the input is in $dir/artifacts/$name/; keep it in tests/data/fuzz-regressions/$name/"
    exit 1
  fi
  grep -E "^#[0-9]+.*(DONE|cov:)" "$dir/$name.log" | tail -n 1
  grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "$dir/$name.log"
done
