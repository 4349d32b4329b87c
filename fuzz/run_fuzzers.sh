#!/bin/sh
# Runs each fuzzer for SECONDS seconds from its seeds, keeping what it
# learns in BUILD/corpus-NAME.  The deck fuzzers start from the end-to-end
# decks, the regression corpus, the examples and fuzz/regressions; the
# element fuzzers from tests/elements/data and fuzz/regressions/elements,
# with the encodings' words as a dictionary.  A crash or finding is written
# to BUILD/findings/ and makes the script fail.  NAMEs pick fuzzers (all by
# default): deck run elements_tle elements_kvn elements_xml elements_json
# elements_csv.
# usage: fuzz/run_fuzzers.sh BUILD SECONDS [NAME...]
set -u
build=$1 seconds=$2
shift 2
names=${*:-deck run elements_tle elements_kvn elements_xml elements_json elements_csv}
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/findings"
status=0
passed=0 failed=0
for name in $names; do
    corpus="$build/corpus-$name"
    mkdir -p "$corpus"
    case $name in
        elements_*)
            cp "$src"/tests/elements/data/* "$src"/fuzz/regressions/elements/* "$corpus"/ 2>/dev/null
            options="-dict=$src/fuzz/elements.dict -max_len=8192" ;;
        *)
            cp "$src"/tests/decks/*.deck "$src"/tests/corpus/decks/*.deck "$src"/examples/*.deck "$corpus"/ 2>/dev/null
            find "$src"/fuzz/regressions -maxdepth 1 -type f -exec cp {} "$corpus"/ \;
            options="-max_len=4096" ;;
    esac
    echo "== fuzz_$name for $seconds s"
    # shellcheck disable=SC2086
    "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 $options \
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
