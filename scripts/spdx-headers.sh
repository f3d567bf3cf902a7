#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives every source file of the repository that has no licence header yet
# a copyright line and a licence identifier, in the comment syntax of its
# type: LGPL-3.0-or-later for the qel library and its example, the GPL
# for everything else.  Files that carry a header are left alone, so the
# script can be run again whenever files are added.  Files that cannot
# carry a comment (pictures, documents, test data) are declared in
# .reuse/dep5 instead; `reuse lint` checks the result.
#   sh scripts/spdx-headers.sh [file ...]     (default: every file git knows)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

COPYRIGHT="2026 The Veltrix developers"
# REUSE-IgnoreStart
TAG_COPYRIGHT="SPDX-FileCopyrightText:"
TAG_LICENSE="SPDX-License-Identifier:"
# REUSE-IgnoreEnd

licence_of() {
    case "$1" in
        qel/* | examples/qel/*) echo LGPL-3.0-or-later ;;
        *) echo GPL-3.0-or-later ;;
    esac
}

# The comment syntax of a file: block (C), line (C++, JavaScript), hash,
# markup, roff; none for files .reuse/dep5 covers; unknown otherwise.
style_of() {
    f=$1
    case "$f" in
        LICENSES/* | .reuse/* | packaging/changelog | packaging/copyright | packaging/triggers | app/output/web/* | tests/fuzz/*/seeds/* | tests/fuzz/*/regressions/* | tests/fuzz/*/*.dict) echo none; return ;;
        *.png | *.jpg | *.jpeg | *.gif | *.bmp | *.ico | *.svg | *.pdf | *.vxf | *.json | *.dxf | *.stl | *.obj | *.mtl | *.glb | *.gltf | *.csv | *.dat | *.bin | *.files)
            echo none; return ;;
    esac
    base=${f##*/}
    case "$base" in *.in) base=${base%.in} ;; esac
    case "$base" in
        *.c | *.map | qel.h) echo block ;;
        *.cpp | *.h | *.hpp | *.js | *.qml) echo line ;;
        CMakeLists.txt | *.cmake | *.sh | *.py | Makefile | *.mk | .gitignore | .gitattributes | .clang-format | \
            lintian-kept | *.supp | *.desktop | *.pc | *.yml | *.yaml | *.toml | *.cfg | *.conf | *.gp | *.plt | *.sed | *.awk)
            echo hash ;;
        *.xml | *.qrc | *.html | *.htm | *.md | *.ui) echo markup ;;
        *.[1-9]) echo roff ;;
        *)
            # Scripts without an extension (such as .ci/run) by their first line.
            if head -n 1 "$f" | grep -q '^#!'; then echo hash; else echo unknown; fi ;;
    esac
}

header() {
    licence=$(licence_of "$1")
    case "$2" in
        block) printf '/*\n * %s %s\n * %s %s\n */\n' "$TAG_COPYRIGHT" "$COPYRIGHT" "$TAG_LICENSE" "$licence" ;;
        line) printf '// %s %s\n// %s %s\n' "$TAG_COPYRIGHT" "$COPYRIGHT" "$TAG_LICENSE" "$licence" ;;
        hash) printf '# %s %s\n# %s %s\n' "$TAG_COPYRIGHT" "$COPYRIGHT" "$TAG_LICENSE" "$licence" ;;
        markup) printf '<!--\n%s %s\n%s %s\n-->\n' "$TAG_COPYRIGHT" "$COPYRIGHT" "$TAG_LICENSE" "$licence" ;;
        roff) printf '.\\" %s %s\n.\\" %s %s\n' "$TAG_COPYRIGHT" "$COPYRIGHT" "$TAG_LICENSE" "$licence" ;;
    esac
}

# Lines that must stay first: a #! line, an XML declaration, a doctype.
keeps_first_line() {
    first=$(head -n 1 "$1")
    case "$first" in
        '#!'* | '<?xml'* | '<!DOCTYPE'* | '<!doctype'*) return 0 ;;
    esac
    return 1
}

annotate() {
    f=$1
    [ -f "$f" ] && [ ! -L "$f" ] || return 0
    style=$(style_of "$f")
    [ "$style" = none ] && return 0
    if head -n 30 "$f" | grep -q "^[^A-Za-z0-9]*$TAG_LICENSE"; then return 0; fi
    if [ "$style" = unknown ]; then
        echo "spdx-headers: no comment syntax known for $f: declare it in .reuse/dep5" >&2
        unknown=1
        return 0
    fi
    tmp=$(mktemp)
    {
        if keeps_first_line "$f"; then
            head -n 1 "$f"
            header "$f" "$style"
            tail -n +2 "$f" | sed '1{/^$/d;}' | { echo; cat; }
        else
            header "$f" "$style"
            # A blank line is a line of output in roff: an empty comment
            # sets the header apart there.
            if [ "$style" = roff ]; then echo '.\\"'; else echo; fi
            cat "$f"
        fi
    } >"$tmp"
    cat "$tmp" >"$f" # keeps the file's mode
    rm -f "$tmp"
    echo "spdx-headers: $f"
}

unknown=0
if [ $# -gt 0 ]; then
    for f in "$@"; do annotate "$f"; done
else
    git ls-files --cached --others --exclude-standard >"${TMPDIR:-/tmp}/spdx-files.$$"
    while IFS= read -r f; do annotate "$f"; done <"${TMPDIR:-/tmp}/spdx-files.$$"
    rm -f "${TMPDIR:-/tmp}/spdx-files.$$"
fi
exit $unknown
