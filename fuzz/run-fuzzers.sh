#!/bin/sh
# Runs every libFuzzer target for a bounded time, starting from its committed seeds. New inputs
# go to a corpus inside the build folder, so the committed seeds stay small.
#   fuzz/run-fuzzers.sh BUILD_DIR [SECONDS]
set -eu
build=$1
seconds=${2:-60}
seeds=$(dirname "$0")/corpus
status=0
for fuzzer in "$build"/fuzz/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer" | sed 's/^fuzz_//')
    corpus="$build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    log="$build/fuzz/$name.log"
    if "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$build/fuzz/$name-" "$corpus" "$seeds/$name" >"$log" 2>&1; then
        result=clean
    else
        result="FAILED (see $log)"
        status=1
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "$name: ${execs:-?} execs in ${seconds}s, $result"
done
exit $status
