#!/bin/sh
# Whole-process wall time of veltrix-export against gnuplot on the same jobs,
# median of 5 runs each, the two programs taking turns:
#   A: z = cos(x) sin(y) over [-5, 5]^2, gradient surface, to a PNG
#   B: the same as a wire frame, to DXF
#   C: the gradient surface as a vector figure, SVG and PDF (gnuplot's svg
#      and pdfcairo terminals with pm3d, the same size), and the files' sizes
#   D: films of the travelling wave z = cos(x - t) sin(y): pictures a second
#      and peak memory of 100 and 300 pictures (memory must not grow)
# Usage: compare.sh BUILD_DIR   (a build with the benchmarks on)
set -e
build=${1:?usage: compare.sh BUILD_DIR}
exporter=$build/app/export/veltrix-export
maker=$build/bench/export/make_bench_document
runs=5

# gnuplot is the yardstick only, GNU time measures peak memory: installed
# here, not among the build's packages.
if ! command -v gnuplot >/dev/null 2>&1 || [ ! -x /usr/bin/time ]; then
    echo "Installing gnuplot-nox and time for the comparison"
    if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq gnuplot-nox time >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Microseconds one run of the command takes.
run_time() {
    start=$(date +%s%N)
    if ! "$@" >"$work/out.log" 2>&1; then
        echo "failed: $*" >&2
        cat "$work/out.log" >&2
        exit 1
    fi
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

gnuplot_script() {  # steps terminal output
    cat <<GP
set terminal $2
set output '$3'
set samples $(($1 + 1)), $(($1 + 1))
set isosamples $(($1 + 1)), $(($1 + 1))
$4
splot [-5:5] [-5:5] cos(x)*sin(y)
GP
}

# Median of the runs of both programs (microseconds) into $a and $b.
medians() {
    ours=$1 theirs=$2
    run_time sh -c "$ours" >/dev/null          # warm the caches
    run_time gnuplot "$theirs" >/dev/null
    : >"$work/ours" && : >"$work/theirs"
    i=0
    while [ $i -lt $runs ]; do
        run_time sh -c "$ours" >>"$work/ours"
        run_time gnuplot "$theirs" >>"$work/theirs"
        i=$((i + 1))
    done
    a=$(sort -n "$work/ours" | sed -n "$(((runs + 1) / 2))p")
    b=$(sort -n "$work/theirs" | sed -n "$(((runs + 1) / 2))p")
}

# One row: label, target ratio, our command, gnuplot's script.
compare() {
    label=$1 target=$2
    medians "$3" "$4"
    awk -v l="$label" -v a="$a" -v b="$b" -v t="$target" 'BEGIN {
        r = a / b
        v = t == "" ? "" : (r <= t ? "met" : "MISSED")
        printf "| %-34s | %9.3f | %9.3f | %5.2f | %-6s | %-6s |\n", l, a / 1e6, b / 1e6, r, (t == "" ? "-" : "<= " t), v }'
}

for steps in 200 400; do
    "$maker" "$work/a$steps.vxf" $steps 3
    "$maker" "$work/b$steps.vxf" $steps 0
    gnuplot_script $steps "pngcairo size 1280,1024" "$work/a$steps-gp.png" "set pm3d" >"$work/a$steps.gp"
    gnuplot_script $steps "dxf" "$work/b$steps-gp.dxf" "" >"$work/b$steps.gp"
done
gnuplot_script 200 "pngcairo size 4096,4096" "$work/a4k-gp.png" "set pm3d" >"$work/a4k.gp"

ours() { echo "env -u DISPLAY $exporter $*"; }
echo
echo "Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "veltrix-export against $(gnuplot --version), wall time in seconds, median of $runs"
echo
echo "| job                                | veltrix   | gnuplot   | ratio | target | result |"
echo "|------------------------------------|-----------|-----------|-------|--------|--------|"
compare "A: 200 steps, gradient, 1280x1024 PNG" 0.5 "$(ours "$work/a200.vxf" -o "$work/a200.png")" "$work/a200.gp"
compare "B: 200 steps, wire frame, DXF" 1.0 "$(ours "$work/b200.vxf" -o "$work/b200.dxf")" "$work/b200.gp"
compare "A: 400 steps, 1280x1024 PNG" "" "$(ours "$work/a400.vxf" -o "$work/a400.png")" "$work/a400.gp"
compare "B: 400 steps, DXF" "" "$(ours "$work/b400.vxf" -o "$work/b400.dxf")" "$work/b400.gp"
compare "A: 200 steps, 4096x4096 PNG" "" "$(ours "$work/a200.vxf" -o "$work/a4k.png" --size 4096x4096)" "$work/a4k.gp"

# One row of figures: label, our command, gnuplot's script, our file,
# gnuplot's file; targets: time <= 1.0 and size <= 1.5 of gnuplot's.
compare_figure() {
    label=$1
    medians "$2" "$3"
    awk -v l="$label" -v a="$a" -v b="$b" -v sa="$(stat -c %s "$4")" -v sb="$(stat -c %s "$5")" 'BEGIN {
        r = a / b; s = sa / sb
        v = (r <= 1.0 && s <= 1.5) ? "met" : "MISSED"
        printf "| %-30s | %7.3f | %7.3f | %5.2f | %7.2f | %7.2f | %5.2f | %-6s |\n", l, a / 1e6, b / 1e6, r, sa / 1e6, sb / 1e6, s, v }'
}

gnuplot_script 200 "svg size 1280,1024" "$work/c200-gp.svg" "set pm3d" >"$work/c200svg.gp"
gnuplot_script 200 "pdfcairo size 13.333in,10.667in" "$work/c200-gp.pdf" "set pm3d" >"$work/c200pdf.gp"
echo
echo "Vector figures, 1280x1024 (96 dpi): wall time in seconds (median of $runs) and file size in MB"
echo
echo "| job                            | veltrix | gnuplot | ratio | veltrix | gnuplot | ratio | result |"
echo "|                                |       s |       s |       |      MB |      MB |       |        |"
echo "|--------------------------------|---------|---------|-------|---------|---------|-------|--------|"
compare_figure "C: 200 steps, gradient, SVG" "$(ours "$work/a200.vxf" -o "$work/c200.svg")" "$work/c200svg.gp" \
    "$work/c200.svg" "$work/c200-gp.svg"
compare_figure "C: 200 steps, gradient, PDF" "$(ours "$work/a200.vxf" -o "$work/c200.pdf" --figure)" \
    "$work/c200pdf.gp" "$work/c200.pdf" "$work/c200-gp.pdf"

# Films: pictures a second over the whole process, and its peak memory.
"$maker" "$work/d200.vxf" 200 3 animated
film() {
    frames=$1
    /usr/bin/time -f "%e %M" -o "$work/film.time" env -u DISPLAY "$exporter" "$work/d200.vxf" \
        -o "$work/d200.mp4" --size 1280x720 --frames "$frames" >/dev/null 2>&1
    awk -v n="$frames" '{ printf "| D: 200 steps, 1280x720 MP4, %3d pictures | %7.2f | %8.1f | %7.0f |\n", n, $1, n / $1, $2 / 1024 }' \
        "$work/film.time"
}
echo
echo "Films (H.264), whole process; target >= 15 pictures a second, memory flat"
echo
echo "| job                                      | seconds | pictures/s | peak MB |"
echo "|------------------------------------------|---------|------------|---------|"
film 100
film 300
echo
echo "Load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
