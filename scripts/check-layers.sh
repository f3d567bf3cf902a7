#!/bin/sh
# Checks the layers of app/: an area includes only itself and the areas
# below it, and only app/model includes the library's C interface.  Lists
# each include that breaks a rule and fails.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT/app" || exit 1
status=0
check() {   # area, the areas it may include besides itself
    area=$1; shift
    allowed="$area $*"
    for file in $(find "$area" -name '*.cpp' -o -name '*.h'); do
        grep -n '^#include "[a-z0-9]*/' "$file" | while IFS= read -r line; do
            target=$(echo "$line" | sed 's/.*#include "\([a-z0-9]*\)\/.*/\1/')
            case " $allowed " in
                *" $target "*) ;;
                *) echo "$file:$line: $area may not include $target" ;;
            esac
        done
    done
}
out=$( {
    check model qel
    check history model
    check view3d model
    check tree history model
    check output view3d model
    check export output view3d model
    check shell tree history view3d output model
} )
if [ -n "$out" ]; then
    echo "$out"
    status=1
fi
exit $status
