#!/bin/sh
# veltrix-export against gnuplot and against the floor of this machine, whole
# process against whole process, the programs taking turns; median of 5 runs.
# CPU time is user + system time of the whole process (all its threads),
# which the machine's load disturbs least; wall time and peak memory (the
# largest resident set) are given too.
#   A: z = cos(x) sin(y) over [-5, 5]^2, 200 steps, gradient, 1280x1024 PNG
#   B: the same at 400 steps
#   C: A at 3840x2160
#   DXF: the same surface as a wire frame, 200 and 400 steps
# Then, wall time only:
#   the gradient surface as a vector figure, SVG and PDF (gnuplot's svg and
#      pdfcairo terminals with pm3d, the same size), and the files' sizes
#   films of the travelling wave z = cos(x - t) sin(y): pictures a second and
#      peak memory of 100 and 300 pictures (memory must not grow)
# gnuplot draws the surface as `splot [-5:5] [-5:5] cos(x)*sin(y) with pm3d`
# (filled quadrangles, no mesh lines) with the pngcairo terminal; the floor
# is bench/floor/floor_program, which draws the same triangles and lines with
# nothing else around them.  Last, the peak memory of a 16384x16384 PNG
# against the picture's pixel bytes.
# Usage: compare.sh BUILD_DIR   (a build with the benchmarks on)
#   VELTRIX_EXPORT=path runs another exporter (an older build, say) instead.
set -e
build=${1:?usage: compare.sh BUILD_DIR}
exporter=${VELTRIX_EXPORT:-$build/app/export/veltrix-export}
maker=$build/bench/export/make_bench_document
floor=$build/bench/floor/floor_program
runs=${RUNS:-5}

# gnuplot is the yardstick and GNU time the stopwatch: installed here, not
# among the build's packages.
for tool in gnuplot:gnuplot-nox /usr/bin/time:time; do
    if ! command -v "${tool%%:*}" >/dev/null 2>&1; then
        echo "Installing ${tool#*:} for the comparison"
        if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${tool#*:}" >/dev/null
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run: appends "cpu_seconds wall_seconds peak_kb" to the file $1.
measure() {
    to=$1
    shift
    if ! /usr/bin/time -f "%U %S %e %M" -o "$work/time" "$@" >"$work/out.log" 2>&1; then
        echo "failed: $*" >&2
        cat "$work/out.log" >&2
        exit 1
    fi
    awk '{ printf "%.3f %.3f %d\n", $1 + $2, $3, $4 }' "$work/time" >>"$to"
}

# Median of column $2 of file $1.
median() {
    sort -n -k "$2" "$1" | sed -n "$(((runs + 1) / 2))p" | awk -v c="$2" '{ print $c }'
}

gnuplot_script() {  # steps terminal output plot-style [settings]
    cat <<GP
set terminal $2
set output '$3'
set samples $(($1 + 1)), $(($1 + 1))
set isosamples $(($1 + 1)), $(($1 + 1))
${5:-}
splot [-5:5] [-5:5] cos(x)*sin(y) $4
GP
}

# One row: label, target CPU ratio, peak target (MB or ""), then the three
# commands (ours, gnuplot's script, the floor's or "").
compare() {
    label=$1 target=$2 peak=$3 ours=$4 theirs=$5 floorcmd=$6
    : >"$work/ours" && : >"$work/theirs" && : >"$work/floor"
    measure "$work/warm" sh -c "$ours"          # warm the caches
    measure "$work/warm" gnuplot "$theirs"
    i=0
    while [ $i -lt $runs ]; do
        measure "$work/ours" sh -c "$ours"
        measure "$work/theirs" gnuplot "$theirs"
        [ -z "$floorcmd" ] || measure "$work/floor" sh -c "$floorcmd"
        i=$((i + 1))
    done
    oc=$(median "$work/ours" 1) ow=$(median "$work/ours" 2) om=$(median "$work/ours" 3)
    tc=$(median "$work/theirs" 1) tw=$(median "$work/theirs" 2)
    fc=$([ -z "$floorcmd" ] && echo - || median "$work/floor" 1)
    awk -v l="$label" -v oc="$oc" -v ow="$ow" -v om="$om" -v tc="$tc" -v tw="$tw" -v fc="$fc" \
        -v t="$target" -v p="$peak" 'BEGIN {
        r = oc / tc; mb = om / 1024
        ok = (t == "" || r <= t) && (p == "" || mb <= p)
        v = (t == "" && p == "") ? "-" : (ok ? "met" : "MISSED")
        printf "| %-28s | %5.3f | %5.3f | %5.3f | %5.3f | %5s | %4.2f %-7s | %4.2f | %5.0f %-6s | %-6s |\n",
            l, oc, ow, tc, tw, fc, r, (t == "" ? "" : "(<=" t ")"), ow / tw, mb, (p == "" ? "" : "(<=" p ")"), v }'
}

for steps in 200 400; do
    "$maker" "$work/a$steps.vxf" $steps 3
    "$maker" "$work/w$steps.vxf" $steps 0
    gnuplot_script $steps "pngcairo size 1280,1024" "$work/a$steps-gp.png" "with pm3d" >"$work/a$steps.gp"
    gnuplot_script $steps "dxf" "$work/w$steps-gp.dxf" "" >"$work/w$steps.gp"
done
gnuplot_script 200 "pngcairo size 3840,2160" "$work/c-gp.png" "with pm3d" >"$work/c.gp"

ours() { echo "env -u DISPLAY $exporter $*"; }
echo
echo "veltrix-export against $(gnuplot --version) and the floor; seconds, median of $runs"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| job                          | cpu   | wall  | gp cpu| gp wal| floor | cpu ratio    | wall | peak MB      | result |"
echo "|------------------------------|-------|-------|-------|-------|-------|--------------|------|--------------|--------|"
compare "A: 200 steps, 1280x1024 PNG" 0.45 120 "$(ours "$work/a200.vxf" -o "$work/a200.png")" "$work/a200.gp" \
    "$floor $work/f200.png 200 1280 1024"
compare "B: 400 steps, 1280x1024 PNG" 0.30 "" "$(ours "$work/a400.vxf" -o "$work/a400.png")" "$work/a400.gp" \
    "$floor $work/f400.png 400 1280 1024"
compare "C: 200 steps, 3840x2160 PNG" 0.40 "" "$(ours "$work/a200.vxf" -o "$work/c.png" --size 3840x2160)" \
    "$work/c.gp" "$floor $work/fc.png 200 3840 2160"
compare "DXF: 200 steps, wire frame" "" "" "$(ours "$work/w200.vxf" -o "$work/w200.dxf")" "$work/w200.gp" ""
compare "DXF: 400 steps, wire frame" "" "" "$(ours "$work/w400.vxf" -o "$work/w400.dxf")" "$work/w400.gp" ""
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# The largest picture: its peak memory against its own pixel bytes.
: >"$work/big"
measure "$work/big" env -u DISPLAY "$exporter" "$work/a200.vxf" -o "$work/big.png" --size 16384x16384
awk -v kb="$(awk '{ print $3 }' "$work/big")" -v s="$(awk '{ print $2 }' "$work/big")" 'BEGIN {
    pixels = 16384 * 16384 * 3; r = kb * 1024 / pixels
    printf "\n16384x16384 PNG: peak %.0f MB = %.2f x its %.0f MB of pixels (target <= 1.5: %s), %.1f s\n",
        kb / 1024, r, pixels / 1048576, (r <= 1.5 ? "met" : "MISSED"), s }'

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

gnuplot_script 200 "svg size 1280,1024" "$work/c200-gp.svg" "" "set pm3d" >"$work/c200svg.gp"
gnuplot_script 200 "pdfcairo size 13.333in,10.667in" "$work/c200-gp.pdf" "" "set pm3d" >"$work/c200pdf.gp"
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
