#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one libFuzzer target for a bounded time from the generated seeds and prints
# one line of what it did; on a crash, a sanitizer report or a disagreement with
# the table walk it prints the end of the log and fails.
#
#   runfuzzer.sh FUZZER SECONDS SEED_DIR WORK_DIR
set -euo pipefail
fuzzer=$1 seconds=$2 seeds=$3 work=$4
name=$(basename "$fuzzer")
mkdir -p "$work/found"
log=$work/$name.log
# New inputs go to found/, so the seed corpus stays as generated.
if ! "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -use_value_profile=1 \
    -artifact_prefix="$work/$name-" "$work/found" "$seeds" >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "$name failed; the log is $log" >&2
    exit 1
fi
echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") inputs," \
    "$(grep -o 'DONE .*cov: [0-9]* ft: [0-9]*' "$log" | grep -o 'cov: [0-9]* ft: [0-9]*')"
