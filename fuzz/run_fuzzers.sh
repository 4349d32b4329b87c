#!/bin/sh
# Runs each fuzzer for SECONDS seconds from the seed decks (the end-to-end
# decks, the regression corpus, the examples and fuzz/regressions), keeping
# what it learns in BUILD/corpus-NAME.  A crash or finding is written to
# BUILD/findings/ and makes the script fail.
# usage: fuzz/run_fuzzers.sh BUILD SECONDS
set -u
build=$1 seconds=$2
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/findings"
status=0
passed=0 failed=0
for name in deck run; do
    corpus="$build/corpus-$name"
    mkdir -p "$corpus"
    cp "$src"/tests/decks/*.deck "$src"/tests/corpus/decks/*.deck "$src"/examples/*.deck "$corpus"/ 2>/dev/null
    cp "$src"/fuzz/regressions/* "$corpus"/ 2>/dev/null
    echo "== fuzz_$name for $seconds s"
    "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -max_len=4096 \
        -artifact_prefix="$build/findings/$name-" -print_final_stats=1 "$corpus" 2>"$build/fuzz_$name.log"
    rc=$?
    grep -E '^stat::number_of_executed_units|^stat::new_units_added|^#[0-9]+ *DONE' "$build/fuzz_$name.log"
    if [ $rc -ne 0 ]; then
        echo "fuzz_$name found a problem (exit $rc):"
        grep -E 'FINDING|ERROR|SUMMARY|runtime error' "$build/fuzz_$name.log" | head -20
        status=1
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done
echo "fuzzers: $passed passed, $failed failed"
exit $status
