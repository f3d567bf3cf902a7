#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program's first frame and memory, from outside, median of 5 runs:
#   the first frame of `veltrix examples/tour.vxf` against a trivial Qt window
#   holding one QOpenGLWidget, in CPU time (user + system, all threads) and
#   wall time                                          target <= 1.5x
#     against a yardstick window of the program's own window size (every
#     frame of a QOpenGLWidget is composed into the whole window, which
#     costs llvmpipe in proportion to its pixels) and of 800x600.  The
#     program's first frame is on the screen when its 3D view has shown a
#     frame and its widgets have been put on the screen around it.
#   the resident memory of the program showing a 400-step gradient surface
#   when its first frame is shown                      target <= 200 MB
# FirstFrameProbe, preloaded, ends each run at its first frame.  The runs
# have an X server of their own and fresh settings.
# Usage: gui_times.sh BUILD_DIR   (a build with the benchmarks on)
#   VELTRIX=path runs another program (an older build, say) instead.
set -e
build=${1:?usage: gui_times.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
program=${VELTRIX:-$build/app/shell/veltrix}
probe=$build/bench/gui/first_frame_probe.so
trivial=$build/bench/gui/trivial_gl_window
maker=$build/bench/export/make_bench_document
tour=$here/../../examples/tour.vxf
runs=${RUNS:-5}

work=$(mktemp -d)
display=:$((100 + $$ % 800))
# -noreset: between two runs the server would start over, and turn the
# next program away if it came meanwhile.
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
"$maker" "$work/a400.vxf" 400 3

# One run: appends "wall_ms cpu_ms rss_kb" to the file $1.
first_frame() {
    to=$1
    shift
    rm -rf "$work/cfg" "$work/run"
    mkdir -m 0700 "$work/cfg" "$work/run"
    DISPLAY=$display XDG_CONFIG_HOME=$work/cfg XDG_RUNTIME_DIR=$work/run \
        FIRST_FRAME_T0_NS=$(date +%s%N) LD_PRELOAD=$probe "$@" 2>"$work/err" >/dev/null || true
    line=$(grep '^first-frame' "$work/err" || true)
    if [ -z "$line" ]; then
        echo "no frame from: $*" >&2
        cat "$work/err" >&2
        exit 1
    fi
    echo "$line" | awk '{ for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
                          print v["wall_ms"], v["cpu_ms"], v["rss_kb"], v["size"] }' >>"$to"
}

median() {  # file column
    sort -n -k "$2" "$1" | sed -n "$(((runs + 1) / 2))p" | awk -v c="$2" '{ print $c }'
}

: >"$work/ours" && : >"$work/trivial" && : >"$work/pane" && : >"$work/big"
first_frame "$work/warm" "$program" "$tour"
size=$(awk '{ print $4 }' "$work/warm")
i=0
while [ $i -lt $runs ]; do
    first_frame "$work/ours" "$program" "$tour"
    first_frame "$work/trivial" "$trivial" "${size%x*}" "${size#*x}"
    first_frame "$work/pane" "$trivial" 800 600
    first_frame "$work/big" "$program" "$work/a400.vxf"
    i=$((i + 1))
done

echo
echo "First frame and memory of the program, median of $runs (load: $(cut -d' ' -f1-3 /proc/loadavg));"
echo "the trivial window has the program's window size, $size"
echo
echo "| what                                      | program  | trivial  | ratio | target  | result |"
echo "|-------------------------------------------|----------|----------|-------|---------|--------|"
# One row: label, the yardstick's runs, column, whether the target applies.
ratio_row() {
    awk -v l="$1" -v a="$(median "$work/ours" "$3")" -v b="$(median "$2" "$3")" -v judged="$4" 'BEGIN {
        r = a / b
        printf "| %-41s | %8.0f | %8.0f | %5.2f | %-7s | %-6s |\n", l, a, b, r,
            (judged ? "<= 1.5" : "-"), (judged ? (r <= 1.5 ? "met" : "MISSED") : "-") }'
}
ratio_row "first frame of tour.vxf, cpu ms" "$work/trivial" 2 1
ratio_row "first frame of tour.vxf, wall ms" "$work/trivial" 1 1
ratio_row "  against an 800x600 window, cpu ms" "$work/pane" 2 1
ratio_row "  against an 800x600 window, wall ms" "$work/pane" 1 1
awk -v kb="$(median "$work/big" 3)" -v ms="$(median "$work/big" 1)" 'BEGIN {
    printf "| %-41s | %8.0f | %8s | %5s | <= 200  | %-6s |\n", "400-step surface shown: resident MB", kb / 1024,
        "-", "-", (kb / 1024 <= 200 ? "met" : "MISSED")
    printf "| %-41s | %8.0f | %8s | %5s | %-7s | %-6s |\n", "400-step surface: first frame wall ms", ms, "-", "-", "-", "-" }'
