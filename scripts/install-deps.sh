#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages needed to build, test, benchmark and run
# Veltrix 2.0; with `run`, only those that building and starting the
# programs needs. Does nothing when every package is already present.
#   sh scripts/install-deps.sh [run|test]
set -e

# What building the programs and the library needs, the tests' frameworks
# (the build is configured with them), and what `make run` needs to show
# the program without a display.
RUN_PACKAGES="
build-essential cmake ninja-build pkg-config
qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
libegl-dev libpng-dev libtinygltf-dev libjs-three
libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
libgtest-dev libgmock-dev
xvfb xauth xdotool imagemagick
"

# Everything else the tests, the packaging check, the benchmarks and CI use.
TEST_PACKAGES="
clang libclang-rt-14-dev
libbenchmark-dev libmuparser-dev
x11-utils fonts-liberation
poppler-utils python3-ezdxf xclip
admesh chromium
ffmpeg librsvg2-bin
clang-format-19
reuse lintian desktop-file-utils shared-mime-info dpkg-dev
"

case "$1" in
    run) PACKAGES=$RUN_PACKAGES ;;
    ""|test) PACKAGES="$RUN_PACKAGES $TEST_PACKAGES" ;;
    *) echo "usage: install-deps.sh [run|test]" >&2; exit 2 ;;
esac

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done

# node and npm for the glTF validator and the web-page check: Debian's,
# unless the machine has a node of its own already.
if [ "$1" != run ] && { ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; }; then
    for p in nodejs npm; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
fi

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq $missing
