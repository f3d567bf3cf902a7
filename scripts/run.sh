#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts Veltrix on the bundled example document.
#   sh scripts/run.sh [build-dir]
# With a display the program simply runs.  Without one it runs under a
# private Xvfb server, a screenshot of the main window is saved to
# <build-dir>/veltrix.png, the program is closed and the path printed.
set -e

BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
case "$BUILD" in /*) ;; *) BUILD="$ROOT/$BUILD" ;; esac
PROGRAM="$BUILD/app/shell/veltrix"
DOCUMENT="$ROOT/examples/tour.vxf"

if [ ! -x "$PROGRAM" ]; then
    echo "run.sh: $PROGRAM not found; build first (make build)" >&2
    exit 1
fi

if [ -n "$DISPLAY" ]; then
    exec "$PROGRAM" "$DOCUMENT"
fi

for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run.sh: no display and no $tool; install the packages of scripts/install-deps.sh" >&2
        exit 1
    fi
done

# A free display number: the first without a lock file.
n=99
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
export DISPLAY=":$n"

# Settings of this run stay out of the user's configuration.
SCRATCH=$(mktemp -d)
export XDG_CONFIG_HOME="$SCRATCH/config"
export XDG_RUNTIME_DIR="$SCRATCH/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# -noreset: the server would start over when the probe below leaves, and
# turn the program away if it came meanwhile.
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
XVFB_PID=$!
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$SCRATCH"
}
trap cleanup EXIT INT TERM

# Wait for the server.
i=0
until xdotool getmouselocation >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -gt 50 ] && { echo "run.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done

"$PROGRAM" "$DOCUMENT" &
APP_PID=$!

# Wait for the main window (its title ends with the program's name).
WINDOW=""
i=0
while [ -z "$WINDOW" ]; do
    i=$((i + 1)); [ $i -gt 150 ] && { echo "run.sh: the main window did not appear" >&2; exit 1; }
    kill -0 "$APP_PID" 2>/dev/null || { echo "run.sh: veltrix ended early" >&2; exit 1; }
    sleep 0.2
    WINDOW=$(xdotool search --onlyvisible --name ' - Veltrix 2\.0$' 2>/dev/null | head -n 1 || true)
done

# Let the splash go (800 ms) and the scene draw.
sleep 3
SHOT="$BUILD/veltrix.png"
import -window "$WINDOW" "$SHOT"

# Close through the File menu like a user; fall back to ending the process.
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
xdotool key --window "$WINDOW" alt+f 2>/dev/null || true
sleep 0.3
xdotool key x 2>/dev/null || true
i=0
while kill -0 "$APP_PID" 2>/dev/null; do
    i=$((i + 1))
    if [ $i -gt 30 ]; then kill "$APP_PID" 2>/dev/null || true; break; fi
    sleep 0.1
done
wait "$APP_PID" 2>/dev/null || true
APP_PID=""

echo "$SHOT"
