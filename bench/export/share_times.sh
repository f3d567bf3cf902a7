#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-process wall time of the sharing outputs against their targets,
# median of 5 runs, for the comparison's 200-step gradient document:
#   .glb and .html written by veltrix-export      <= 0.25 s each
#   the page's first frame in headless Chromium   <= 2 s after navigation start
# Usage: share_times.sh BUILD_DIR   (a build with the benchmarks on)
set -e
build=${1:?usage: share_times.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
exporter=$build/app/export/veltrix-export
maker=$build/bench/export/make_bench_document
tools=$build/web-tools
runs=5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$work/a200.vxf" 200 3

median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }

# Microseconds of one run.
run_time() {
    start=$(date +%s%N)
    "$@" >"$work/out.log" 2>&1 || { echo "failed: $*" >&2; cat "$work/out.log" >&2; exit 1; }
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

row() {  # label target-seconds seconds
    awk -v l="$1" -v t="$2" -v s="$3" 'BEGIN {
        printf "| %-40s | %8.3f | <= %-5s | %-6s |\n", l, s, t, (s <= t ? "met" : "MISSED") }'
}

echo
echo "Sharing outputs, wall time in seconds, median of $runs (load: $(cut -d' ' -f1-3 /proc/loadavg))"
echo
echo "| job                                      | seconds  | target   | result |"
echo "|------------------------------------------|----------|----------|--------|"
for format in glb html; do
    run_time env -u DISPLAY "$exporter" "$work/a200.vxf" -o "$work/a200.$format" >/dev/null   # warm the caches
    : >"$work/times"
    i=0
    while [ $i -lt $runs ]; do
        run_time env -u DISPLAY "$exporter" "$work/a200.vxf" -o "$work/a200.$format" >>"$work/times"
        i=$((i + 1))
    done
    us=$(median <"$work/times")
    row "200 steps, gradient, .$format ($(($(stat -c %s "$work/a200.$format") / 1024)) KiB)" 0.25 \
        "$(awk -v u="$us" 'BEGIN { print u / 1e6 }')"
done

# The page's first frame: Chromium with SwiftShader, through the page check.
sh "$here/../../tests/export/web/install-tools.sh" "$tools" >/dev/null
if [ -f "$tools/unavailable" ] || ! command -v chromium >/dev/null 2>&1; then
    echo "| page's first frame in Chromium           | skipped: $(cat "$tools/unavailable" 2>/dev/null || echo "no chromium") |"
    exit 0
fi
: >"$work/frames"
i=0
while [ $i -lt $runs ]; do
    NODE_PATH=$tools/node_modules node "$here/../../tests/export/web/page_check.js" "$work/a200.html" "$work" 1280 1024 \
        >"$work/check.json"
    sed -n 's/.*"firstFrameMs": \([0-9.]*\).*/\1/p' "$work/check.json" >>"$work/frames"
    i=$((i + 1))
done
ms=$(median <"$work/frames")
row "page's first frame in headless Chromium" 2 "$(awk -v m="$ms" 'BEGIN { print m / 1000 }')"
