#!/usr/bin/env bash
# Runs each fuzz target for SECONDS with its corpus under BUILD_DIR/corpus/<target>;
# fails when a target finds a crash, a sanitizer report or a broken property.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS [TARGET...]   (default: every fuzz_* in BUILD_DIR)
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd) || exit 2
seconds=$2
shift 2

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for exe in "$build_dir"/fuzz_*; do
        [ -x "$exe" ] && [ -f "$exe" ] && targets+=("$(basename "$exe")")
    done
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "No fuzz targets in $build_dir" >&2
    exit 2
fi

failed=()
for target in "${targets[@]}"; do
    exe="$build_dir/$target"
    corpus="$build_dir/corpus/$target"
    artifacts="$build_dir/artifacts/$target"
    log="$build_dir/logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    echo "== $target: ${seconds}s"
    ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}" \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
        "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
    status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    echo "   executions: ${execs:-?}, per second: ${rate:-?}, corpus: $(ls "$corpus" | wc -l) inputs"
    if [ $status -ne 0 ]; then
        echo "   FAILED (exit $status); log: $log, inputs: $artifacts" >&2
        tail -n 40 "$log" >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzz findings in: ${failed[*]}" >&2
    exit 1
fi
