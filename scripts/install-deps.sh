#!/bin/sh
# Installs the Debian 12 packages needed to build, test, benchmark and run
# Veltrix 2.0. Does nothing when every package is already present.
set -e

PACKAGES="
build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
xvfb xauth xdotool x11-utils imagemagick
fonts-liberation
libegl-dev libpng-dev poppler-utils python3-ezdxf xclip
admesh
libtinygltf-dev libjs-three chromium
libtinygltf-dev libjs-three chromium
libavcodec-dev libavformat-dev libswscale-dev libavutil-dev ffmpeg librsvg2-bin
clang-format-19
"

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
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
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
