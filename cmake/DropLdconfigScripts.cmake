# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack after it has built the Debian packages: CPack writes a
# postinst and a postrm that call ldconfig into every package with a
# library under /usr/lib.  dpkg's ldconfig trigger (packaging/triggers)
# does that work, and a postrm would keep the package's record after
# `apt remove`, so the packages are rebuilt without them.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${deb}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    foreach(script postinst postrm)
        set(path "${tree}/DEBIAN/${script}")
        if(EXISTS "${path}")
            file(STRINGS "${path}" commands REGEX "^[^#]")
            # Only scripts with nothing but `set -e`, the if and ldconfig go.
            list(FILTER commands EXCLUDE REGEX "^(set -e|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|[ \t]*ldconfig|fi)$")
            if(commands STREQUAL "")
                file(REMOVE "${path}")
            endif()
        endif()
    endforeach()
    # The md5sums and control of the package stay as CPack wrote them.
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -b "${tree}" "${deb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
