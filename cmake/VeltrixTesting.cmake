# Helpers shared by the test directories.
#
# veltrix_add_test(NAME target)       plain test, no display needed
# veltrix_add_gui_test(NAME target)   test that needs an X server with OpenGL:
#                                     runs under its own Xvfb (xvfb-run)

find_program(XVFB_RUN xvfb-run)

# LeakSanitizer reports the Mesa driver's and LLVM's own allocations; keep the
# driver mapped so that the suppressions can name it.
set(VELTRIX_LSAN_SUPP ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)

function(veltrix_test_environment name)
    set(env "QT_QPA_PLATFORM=offscreen")
    if(VELTRIX_SANITIZE)
        list(APPEND env "LSAN_OPTIONS=suppressions=${VELTRIX_LSAN_SUPP}:print_suppressions=0"
                        "ASAN_OPTIONS=detect_leaks=1")
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
endfunction()

function(veltrix_add_test name target)
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
    veltrix_test_environment(${name})
endfunction()

function(veltrix_add_gui_test name target)
    # Sanitizer settings go inside xvfb-run: preloading ASan into xvfb-run
    # itself breaks the X server start.
    set(env "")
    if(VELTRIX_SANITIZE)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                        OUTPUT_VARIABLE asan OUTPUT_STRIP_TRAILING_WHITESPACE)
        set(dri /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so)
        list(APPEND env "LSAN_OPTIONS=suppressions=${VELTRIX_LSAN_SUPP}:print_suppressions=0"
                        "LD_PRELOAD=${asan} ${dri}")
    endif()
    if(NOT XVFB_RUN)
        message(WARNING "xvfb-run not found: ${name} runs on the current display")
        add_test(NAME ${name} COMMAND env ${env} $<TARGET_FILE:${target}> ${ARGN})
    else()
        add_test(NAME ${name}
                 COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24"
                         env ${env} $<TARGET_FILE:${target}> ${ARGN})
    endif()
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
endfunction()
