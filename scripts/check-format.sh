#!/bin/sh
# Checks that every C and C++ source follows the house style of
# .clang-format; lists each place that does not and fails.  With --fix,
# formats them instead.
#   sh scripts/check-format.sh [--fix]
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
FORMAT=${CLANG_FORMAT:-clang-format-19}
if ! command -v "$FORMAT" >/dev/null 2>&1; then
    echo "check-format.sh: $FORMAT not found; install the packages of scripts/install-deps.sh" >&2
    exit 1
fi
FILES=$(find qel app tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort)
if [ "$1" = "--fix" ]; then
    # shellcheck disable=SC2086
    "$FORMAT" -i $FILES
else
    # shellcheck disable=SC2086
    "$FORMAT" --dry-run --Werror $FILES
fi
