# SPDX-FileCopyrightText: 2026 The Veltrix developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers shared by the test directories.
#
# veltrix_add_test(NAME target)       plain test, no display needed
# veltrix_add_gui_test(NAME target)   test that needs an X server with OpenGL:
#                                     runs under its own Xvfb (xvfb-run)
# veltrix_add_headless_gl_test(NAME target)
#                                     test that renders with OpenGL on EGL's
#                                     surfaceless platform: no X server, no DISPLAY

find_program(XVFB_RUN xvfb-run)

# LeakSanitizer reports the Mesa driver's and LLVM's own allocations; the GUI
# tests keep the driver mapped (preloaded) so that the suppressions can name it.
set(VELTRIX_SANITIZER_ENV "")
if(VELTRIX_SANITIZE)
    set(VELTRIX_SANITIZER_ENV
        "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
endif()

function(veltrix_add_test name target)
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
    set_tests_properties(${name} PROPERTIES
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${VELTRIX_SANITIZER_ENV}")
endfunction()

# Tests that load the Mesa driver keep it mapped under the sanitizers.  GCC's
# runtime is a shared library that must come first; Clang's is part of
# every program already.
set(VELTRIX_GL_SANITIZER_ENV ${VELTRIX_SANITIZER_ENV})
if(VELTRIX_SANITIZE)
    set(preload /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so)
    if(NOT VELTRIX_CLANG)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                        OUTPUT_VARIABLE asan OUTPUT_STRIP_TRAILING_WHITESPACE)
        set(preload "${asan} ${preload}")
    endif()
    list(APPEND VELTRIX_GL_SANITIZER_ENV "LD_PRELOAD=${preload}")
endif()

function(veltrix_add_headless_gl_test name target)
    add_test(NAME ${name}
             COMMAND env -u DISPLAY QT_QPA_PLATFORM=offscreen ${VELTRIX_GL_SANITIZER_ENV}
                     $<TARGET_FILE:${target}> ${ARGN})
endfunction()

function(veltrix_add_gui_test name target)
    # The environment goes inside xvfb-run: preloading ASan into xvfb-run
    # itself breaks the X server start.
    set(env ${VELTRIX_GL_SANITIZER_ENV})
    set(runner "")
    if(XVFB_RUN)
        set(runner ${XVFB_RUN} -a -s "-screen 0 1280x1024x24")
    else()
        message(WARNING "xvfb-run not found: ${name} runs on the current display")
    endif()
    add_test(NAME ${name} COMMAND ${runner} env ${env} $<TARGET_FILE:${target}> ${ARGN})
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
endfunction()
