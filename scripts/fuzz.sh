#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/fuzz_*.cpp) with clang and runs each for a bounded time.
#   scripts/fuzz.sh [seconds]    seconds per target, default 60
#
# Each target starts from a copy of its committed seeds, fuzz/corpus/<reader>/ for
# fuzz/fuzz_<reader>.cpp, so that the inputs a run discovers never dirty the repository. A crash,
# a hang or running out of memory makes the script exit non-zero and name the file that holds the
# input. Once the fault is fixed, copy that file into fuzz/corpus/<reader>/ as a regression: the
# fuzz build's CTest runs every committed seed (ctest --test-dir build-fuzz -L fuzz).
set -euo pipefail

cd "$(dirname "$0")/.."

readonly BUILD_DIR="$PWD/build-fuzz"
readonly RUN_DIR="$BUILD_DIR/fuzz-runs"
readonly SECONDS_PER_TARGET="${1:-60}"
# The readers are linear, so a single input that takes this long is a hang.
readonly INPUT_TIMEOUT_SECONDS=10
readonly RSS_LIMIT_MB=2048
# Inputs may grow to twice the largest seed, and never below what a stored dossier needs.
readonly MIN_MAX_LEN=8192

if ! [[ "$SECONDS_PER_TARGET" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds per target, default 60]" >&2
    exit 2
fi

names=()
for source in fuzz/fuzz_*.cpp; do
    [ -e "$source" ] || continue
    names+=("$(basename "$source" .cpp)")
done
if [ "${#names[@]}" -eq 0 ]; then
    echo "no fuzz targets in fuzz/" >&2
    exit 1
fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DHIRELINGS_FUZZ=ON -DHIRELINGS_WARNINGS_AS_ERRORS=ON
cmake --build "$BUILD_DIR" --target "${names[@]}" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for name in "${names[@]}"; do
    reader="${name#fuzz_}"
    work="$RUN_DIR/$reader"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    if [ -d "fuzz/corpus/$reader" ]; then
        cp -R "fuzz/corpus/$reader/." "$work/corpus/"
    fi

    largest=$(find "$work/corpus" -type f -printf '%s\n' | sort -n | tail -n 1)
    max_len=$((2 * ${largest:-0}))
    if [ "$max_len" -lt "$MIN_MAX_LEN" ]; then max_len=$MIN_MAX_LEN; fi

    # A target may come with a dictionary of its format's tokens, fuzz/fuzz_<reader>.dict.
    options=()
    if [ -f "fuzz/$name.dict" ]; then options+=("-dict=fuzz/$name.dict"); fi

    echo "== $name: $SECONDS_PER_TARGET s, inputs up to $max_len bytes, log in $work/log"
    status=0
    "$BUILD_DIR/fuzz/$name" "$work/corpus" "${options[@]}" \
        -max_total_time="$SECONDS_PER_TARGET" -max_len="$max_len" \
        -timeout="$INPUT_TIMEOUT_SECONDS" -rss_limit_mb="$RSS_LIMIT_MB" \
        -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/log" 2>&1 || status=$?

    if [ "$status" -eq 0 ]; then
        grep -E '^stat::number_of_executed_units' "$work/log" || true
        echo "== $name: no crash"
        continue
    fi
    failed+=("$name")
    tail -n 60 "$work/log"
    echo "== $name: FAILED with status $status"
    found=0
    for artifact in "$work/artifacts"/*; do
        [ -e "$artifact" ] || continue
        echo "   crashing input saved in $artifact"
        found=1
    done
    if [ "$found" -eq 0 ]; then echo "   no input was saved; see $work/log"; fi
    echo "   after the fix, add it to fuzz/corpus/$reader/ as a regression"
done

if [ "${#failed[@]}" -ne 0 ]; then
    echo "fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
echo "all fuzz targets ran without a crash: ${names[*]}"
