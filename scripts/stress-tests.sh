#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the whole test suite of a build several times in a row while
# stress-ng keeps two cores busy, as a loaded machine would: a test that
# depends on the machine's speed fails here.
#   sh scripts/stress-tests.sh [BUILD] [ROUNDS]   (default: build 10)
# Stops at the first round that fails.
set -eu
build=${1:-build}
rounds=${2:-10}
if ! command -v stress-ng >/dev/null 2>&1; then
    echo "stress-tests.sh: stress-ng not found (apt-get install stress-ng)" >&2
    exit 1
fi
stress-ng --cpu 2 --timeout 0 --quiet &
load=$!
trap 'kill "$load" 2>/dev/null || true' EXIT INT TERM
cd "$build"
round=1
while [ "$round" -le "$rounds" ]; do
    start=$(date +%s)
    if ! ctest --output-on-failure -j 2 >"ctest-round-$round.log" 2>&1; then
        tail -n 80 "ctest-round-$round.log"
        echo "round $round of $rounds FAILED (log: $build/ctest-round-$round.log)"
        exit 1
    fi
    echo "round $round of $rounds: $(grep -E 'tests passed' "ctest-round-$round.log") in $(($(date +%s) - start)) s"
    round=$((round + 1))
done
