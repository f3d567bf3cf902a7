#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the glTF validator and a WebSocket client for the page check into
# DIR/node_modules (under the build directory), once.  Without node and npm
# it only says so: the tests that need them then skip with that reason.
DIR="$1"
mkdir -p "$DIR"
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    echo "node or npm is not installed" > "$DIR/unavailable"
    echo "web tools: node or npm is not installed; the glTF and page checks will be skipped"
    exit 0
fi
if [ -f "$DIR/node_modules/gltf-validator/package.json" ] && [ -f "$DIR/node_modules/ws/package.json" ]; then
    rm -f "$DIR/unavailable"
    exit 0
fi
if npm install --prefix "$DIR" --no-audit --no-fund --no-save --loglevel=error \
       gltf-validator@2.0.0-dev.3.10 ws@8 >"$DIR/npm.log" 2>&1; then
    rm -f "$DIR/unavailable"
    echo "web tools: installed gltf-validator and ws into $DIR"
else
    echo "npm install failed: $(tail -n 3 "$DIR/npm.log")" > "$DIR/unavailable"
    cat "$DIR/unavailable"
fi
exit 0
