#!/bin/sh
# Installs the Debian 12 packages needed to build, test, benchmark and run
# Veltrix 2.0. Does nothing when every package is already present.
set -e

PACKAGES="
build-essential cmake ninja-build pkg-config
qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
xvfb xauth xdotool x11-utils imagemagick
fonts-liberation
libegl-dev poppler-utils python3-ezdxf xclip
admesh
libavcodec-dev libavformat-dev libswscale-dev libavutil-dev ffmpeg librsvg2-bin
"

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq $missing
