#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian packages veltrix_<version>_<arch>.deb and
# libqel-dev_<version>_<arch>.deb with CPack in a build directory of their
# own, configured for /usr and without the tests, and prints their paths.
#   sh scripts/make-package.sh [build-dir]      (default build-package)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-build-package}
case "$BUILD" in /*) ;; *) BUILD="$ROOT/$BUILD" ;; esac

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_INSTALL_PREFIX=/usr -DVELTRIX_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
rm -f "$BUILD"/*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
ls "$BUILD"/*.deb
