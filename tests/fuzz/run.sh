#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the fuzz targets of a build one after another.
#   sh tests/fuzz/run.sh BUILD SECONDS [TARGET ...]
# Each target runs SECONDS (all targets when none is named) over its seeds
# and the corpus it grew before (BUILD/fuzz-corpus/TARGET).  An input that
# makes a target fail is kept as tests/fuzz/TARGET/regressions/crash-...
# (or leak-, timeout-, oom-), which every build's tests then replay: commit
# it with the fix.  Prints each target's final statistics; exits non-zero
# when a target found something.
set -u
build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-"expression document definition export_arguments hand_over mesh_writers"}

failed=""
mkdir -p "$build/fuzz-logs"
for t in $targets; do
    fuzzer="$build/tests/fuzz/${t}_fuzzer"
    corpus="$build/fuzz-corpus/$t"
    log="$build/fuzz-logs/$t.log"
    mkdir -p "$corpus" "$here/$t/regressions"
    set -- -max_total_time="$seconds" -print_final_stats=1 -timeout=30 -rss_limit_mb=2048 \
        -artifact_prefix="$here/$t/regressions/"
    [ -f "$here/$t/$t.dict" ] && set -- "$@" -dict="$here/$t/$t.dict"
    echo "== $t: $seconds s"
    if env QT_QPA_PLATFORM=offscreen \
           LSAN_OPTIONS="suppressions=$here/../../cmake/lsan.supp:print_suppressions=0" \
           "$fuzzer" "$@" "$corpus" "$here/$t/seeds" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log"
    else
        tail -n 60 "$log"
        echo "== $t FAILED: the input is kept in tests/fuzz/$t/regressions/ (log: $log)"
        failed="$failed $t"
    fi
done
[ -z "$failed" ] || { echo "Fuzz targets with findings:$failed"; exit 1; }
