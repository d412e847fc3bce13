#!/usr/bin/env bash
# Runs a study in SHARDS shards with GNU parallel, then joins the shards'
# statistics files into the one file a single run writes.
#
#   run-shards-parallel.sh STUDY.set RESULTS SHARDS [STATISTICS-FILE-NAME]
#
# STATISTICS-FILE-NAME is the study's statistics file name (default
# Statistics.csv). KIVO names the program (default: kivo on the PATH). GNU
# parallel takes further options from the environment variable PARALLEL, for
# example PARALLEL="--sshloginfile nodes.txt" to spread the shards over the
# machines of a cluster that share the study's folders.
set -euo pipefail
if [ $# -lt 3 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
study="$1"
results="$2"
shards="$3"
statistics="${4:-Statistics.csv}"
kivo="${KIVO:-kivo}"

mkdir -p "$results"
# One file of each shard at a time: parallel runs one shard per processor core.
seq 1 "$shards" | parallel --will-cite --halt now,fail=1 -q \
    "$kivo" run "$study" --shard "{}/$shards" --jobs 1 --output-dir "$results" --overwrite --quiet

stem="${statistics%.*}"
extension="${statistics##*.}"
parts=()
for k in $(seq 1 "$shards"); do
    parts+=("$results/$stem.shard-$k-of-$shards.$extension")
done
"$kivo" stats merge "$results/$statistics" "${parts[@]}"
rm -f "${parts[@]}"
