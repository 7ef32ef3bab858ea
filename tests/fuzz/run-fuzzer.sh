#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time on a fresh corpus started from its seeds.
#   run-fuzzer.sh FUZZER CORPUS_DIR SEEDS_DIR SECONDS
# Fails when the fuzzer finds a crash, a leak, a timeout or runs out of memory; the input
# that did it is left in CORPUS_DIR.artifacts/.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: $0 FUZZER CORPUS_DIR SEEDS_DIR SECONDS" >&2
  exit 2
fi
fuzzer=$1 corpus=$2 seeds=$3 seconds=$4
if [ ! -d "$seeds" ] || [ -z "$(ls -A "$seeds")" ]; then
  echo "no seeds in $seeds" >&2
  exit 1
fi
artifacts=$corpus.artifacts
rm -rf "$corpus" "$artifacts"
mkdir -p "$corpus" "$artifacts"
cp "$seeds"/* "$corpus"/
"$fuzzer" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$artifacts/" -print_final_stats=1
