#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian packages, unpacks them into a scratch root with dpkg -x
# and checks what they hold, their control fields and lintian's verdict;
# then builds the qel example from the unpacked development files, with
# pkg-config and with CMake, and runs it against the unpacked library.
#   sh tests/package/check-package.sh <scratch-dir>
set -e
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=${1:?usage: check-package.sh <scratch-dir>}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
HERE="$ROOT/tests/package"
fail() { echo "check-package: $*" >&2; exit 1; }

sh "$ROOT/scripts/make-package.sh" "$WORK/build"
RUNTIME=$(ls "$WORK"/build/veltrix_*.deb)
DEV=$(ls "$WORK"/build/libqel-dev_*.deb)
ARCH=$(dpkg --print-architecture)
MULTIARCH=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
case "$RUNTIME" in *_"$ARCH".deb) ;; *) fail "unexpected file name $RUNTIME" ;; esac

# What each package holds: every file and link, nothing more or less.
for deb in "$RUNTIME" "$DEV"; do
    name=$(dpkg-deb -f "$deb" Package)
    rm -rf "$WORK/root-$name"
    dpkg -x "$deb" "$WORK/root-$name"
    (cd "$WORK/root-$name" && find . ! -type d | sed 's|^\./|/|' | sort) >"$WORK/$name.files"
    sed "s|@MULTIARCH@|$MULTIARCH|" "$HERE/$name.files" | sort >"$WORK/$name.expected"
    diff -u "$WORK/$name.expected" "$WORK/$name.files" || fail "$name holds other files than $HERE/$name.files"
done

# The dependencies are computed from the binaries: the program's libraries
# are there, libqel is not (the package carries it), and the development
# package needs exactly this version of the library.
depends=$(dpkg-deb -f "$RUNTIME" Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6opengl6 libglu1-mesa; do
    echo "$depends" | grep -q "\\b$lib\\b" || fail "Depends lacks $lib: $depends"
done
echo "$depends" | grep -q qel && fail "Depends names qel: $depends"
[ "$(dpkg-deb -f "$RUNTIME" Section)" = science ] || fail "veltrix is not in section science"
dpkg-deb -f "$DEV" Depends | grep -qx "veltrix (= $(dpkg-deb -f "$RUNTIME" Version))" ||
    fail "libqel-dev does not depend on this veltrix: $(dpkg-deb -f "$DEV" Depends)"
# A shlibs file and the ldconfig trigger for the library, and no maintainer
# scripts: dpkg's triggers register the library, the file type, the icons
# and the desktop entry, so that `apt remove` leaves nothing behind.
control=$(dpkg-deb --ctrl-tarfile "$RUNTIME" | tar -t | sed 's|^\./||' | grep . | sort | tr '\n' ' ')
[ "$control" = "control md5sums shlibs triggers " ] || fail "veltrix's control files are: $control"
dpkg-deb -I "$RUNTIME" triggers | grep -qx 'activate-noawait ldconfig' || fail "veltrix has no ldconfig trigger"
dpkg-deb -I "$RUNTIME" shlibs | grep -q '^libqel 2 veltrix' || fail "veltrix's shlibs file does not name libqel"
control=$(dpkg-deb --ctrl-tarfile "$DEV" | tar -t | sed 's|^\./||' | grep . | sort | tr '\n' ' ')
[ "$control" = "control md5sums " ] || fail "libqel-dev's control files are: $control"

# The desktop entry and the file type.
desktop-file-validate "$WORK/root-veltrix/usr/share/applications/veltrix.desktop"
rm -rf "$WORK/mime" && mkdir -p "$WORK/mime" && cp -r "$WORK/root-veltrix/usr/share/mime/packages" "$WORK/mime/"
update-mime-database "$WORK/mime" 2>/dev/null
grep -qx '[0-9]*:application/x-veltrix:\*\.vxf' "$WORK/mime/globs2" || fail "the file type does not claim *.vxf"
grep -q 'application/x-veltrix' "$WORK/mime/magic" || fail "the file type has no magic"
grep -qx 'MimeType=application/x-veltrix;' "$WORK/root-veltrix/usr/share/applications/veltrix.desktop" ||
    fail "the desktop entry does not open the file type"

# lintian: no errors, and no warnings but those kept on purpose.
lintian --fail-on error,warning --suppress-tags-from-file "$HERE/lintian-kept" "$RUNTIME" "$DEV" ||
    fail "lintian reports errors or new warnings"

# The example, built from the unpacked development files and run against
# the unpacked library.
DEVROOT="$WORK/root-libqel-dev"
cp -a "$WORK/root-veltrix/." "$DEVROOT/"
LIBDIR="$DEVROOT/usr/lib/$MULTIARCH"
EXAMPLE="$DEVROOT/usr/share/doc/libqel-dev/examples"
EXPECTED=$(printf 'z(2,3)=6\nz(-1.5,4)=-6\nz(0.5,0.5)=0.25')

# shellcheck disable=SC2046
cc -Wall -Wextra -Werror -o "$WORK/zxy-pkgconfig" "$EXAMPLE/zxy.c" \
   $(PKG_CONFIG_SYSROOT_DIR="$DEVROOT" PKG_CONFIG_LIBDIR="$LIBDIR/pkgconfig" pkg-config --cflags --libs qel)
out=$(LD_LIBRARY_PATH="$LIBDIR" "$WORK/zxy-pkgconfig")
[ "$out" = "$EXPECTED" ] || fail "the example built with pkg-config printed: $out"

rm -rf "$WORK/example-cmake"
cmake -S "$EXAMPLE" -B "$WORK/example-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$DEVROOT/usr" \
      -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" >/dev/null
cmake --build "$WORK/example-cmake" >/dev/null
out=$(LD_LIBRARY_PATH="$LIBDIR" "$WORK/example-cmake/zxy")
[ "$out" = "$EXPECTED" ] || fail "the example built with CMake printed: $out"
ldd "$WORK/example-cmake/zxy" | grep -q "$LIBDIR/libqel.so.2" || fail "the example does not use the unpacked libqel"

echo "check-package: $(basename "$RUNTIME") and $(basename "$DEV") are fine"
