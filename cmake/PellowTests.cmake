# How the suite's executables are registered, and which of them each sanitizer build
# builds and runs.
#
# Label "threads": the test may start the engine's reader and writer threads. It is
# derived from what the executable links, so a new test is labelled by linking what it
# needs anyway: the window's test main (every window owns a TComm and opens a port at its
# first show) or the engine's test support (pseudo-terminals, the engine's event log).
# The ThreadSanitizer build builds and runs only these; every other build runs all.

# Programs of the sanitizer builds carry their sanitizer settings, so a test run by hand
# or by a desktop check stops at the first report just as the suite does.
if(PELLOW_SANITIZE OR PELLOW_TSAN)
    add_library(pellow_sanitizer_settings OBJECT
                ${PROJECT_SOURCE_DIR}/tests/support/SanitizerSettings.cpp)
endif()
function(pellow_sanitizer_settings target)
    if(TARGET pellow_sanitizer_settings)
        target_link_libraries(${target} PRIVATE pellow_sanitizer_settings)
    endif()
endfunction()

# pellow_add_gtest(<target> [ENVIRONMENT <var=value>]): a GoogleTest executable, its
# tests listed when ctest runs (listing at build time would need the test's environment).
# A cross build's tests run where their system is (tests/windows/run_engine_tests.sh).
function(pellow_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "ENVIRONMENT" "")
    get_target_property(links ${target} LINK_LIBRARIES)
    set(properties "")
    if("pellow_gui_test_main" IN_LIST links OR "pellow_serial_test_support" IN_LIST links)
        list(APPEND properties LABELS threads)
    elseif(PELLOW_TSAN)
        set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
        return()
    endif()
    if(arg_ENVIRONMENT)
        list(APPEND properties ENVIRONMENT ${arg_ENVIRONMENT})
    endif()
    pellow_sanitizer_settings(${target})
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# pellow_add_desktop_check(<name> <script> [<argument>...]): the real program on a virtual
# desktop, driven by tests/desktop/<script>, which gets the program and the arguments. It
# opens a port at its start, so its engine threads run.
function(pellow_add_desktop_check name script)
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/tests/desktop/${script} $<TARGET_FILE:pellow> ${ARGN})
    set_tests_properties(${name} PROPERTIES
                         LABELS "desktop;threads" SKIP_RETURN_CODE 77 TIMEOUT 300)
endfunction()
