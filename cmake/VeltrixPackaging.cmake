# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a Debian system expects of an installed program, and `make package`:
# compressed man pages, the copyright and changelog of each package, and
# CPack's two Debian packages, veltrix (the programs and libqel.so.2) and
# libqel-dev (what other programs need to build against the library).

set(VELTRIX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELTRIX_GZ_DIR ${PROJECT_BINARY_DIR}/compressed)

# Man pages and changelogs are installed compressed as Debian has them
# (gzip -9n: no name or time stamp, the same bytes on every build).
set(gz_files "")
foreach(source docs/veltrix.1 docs/veltrix-export.1 packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(gz ${VELTRIX_GZ_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTRIX_GZ_DIR}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/${source} > ${gz}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source}
        VERBATIM)
    list(APPEND gz_files ${gz})
endforeach()
add_custom_target(veltrix_compressed_docs ALL DEPENDS ${gz_files})

install(FILES ${VELTRIX_GZ_DIR}/veltrix.1.gz ${VELTRIX_GZ_DIR}/veltrix-export.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
foreach(component_package runtime:veltrix dev:libqel-dev)
    string(REPLACE ":" ";" pair ${component_package})
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES ${VELTRIX_PACKAGING_DIR}/copyright ${VELTRIX_GZ_DIR}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/examples/qel/zxy.c ${PROJECT_SOURCE_DIR}/examples/qel/CMakeLists.txt
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libqel-dev/examples COMPONENT dev)

# The film export loads FFmpeg's libraries only when a film is made, so the
# dependencies computed from the binaries do not name them: they are
# recommended, by the major versions the program was built against.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VELTRIX_AV QUIET libavcodec libavformat libswscale libavutil)
set(film_packages "")
foreach(lib avcodec avformat swscale avutil)
    string(REGEX MATCH "^[0-9]+" major "${VELTRIX_AV_lib${lib}_VERSION}")
    if(major)
        list(APPEND film_packages "lib${lib}${major}")
    endif()
endforeach()
string(REPLACE ";" ", " film_packages "${film_packages}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veltrix developers")
set(CPACK_PACKAGE_CONTACT "The Veltrix developers <developers@veltrix.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME veltrix)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# libqel.so.2 is public: a shlibs file tells dpkg-shlibdeps of programs
# built against it which package carries it, and dpkg's ldconfig trigger
# updates the linker's cache when it comes or goes.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${VELTRIX_PACKAGING_DIR}/triggers)
# ... which makes CPack's own ldconfig calls in postinst and postrm
# needless: they are taken out again.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DropLdconfigScripts.cmake)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "${film_packages}")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
"interactive plotter of mathematical functions in 3D
Veltrix draws functions such as z(x,y)=cosx*siny or, in spherical
coordinates, r(alpha,beta)=2 as surfaces and curves in an OpenGL view
inside a cube with reference marks and labelled axes.  Fly through the
scene, trace and animate functions, keep them in .vxf documents, and
export pictures, DXF drawings, meshes, vector figures, films, glTF
scenes and web pages, copy and print.
.
The package holds the program veltrix, the command-line exporter
veltrix-export that renders documents without a display, and libqel,
the library that compiles and evaluates the function expressions.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libqel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "veltrix (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEV_DESCRIPTION
"development files of libqel, the expression library of Veltrix
libqel compiles expressions such as x*y or sin(x)*cos(y) over named
variables into a postfix program and evaluates them, with angles in
degrees, radians or grads, through a flat C interface over integer
handles.
.
The package holds the header qel/qel.h, the pkg-config file qel.pc, the
CMake package (find_package(qel) gives qel::qel) and an example.")

include(CPack)
