find_package(GTest REQUIRED)
include(GoogleTest)

# quorvel_add_test(<name> SOURCES ... [LIBRARIES ...] [LABELS ...])
# One executable per source folder; its cases are registered with ctest when
# ctest runs, so a build never executes test code.
function(quorvel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock quorvel_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        TEST_LIST ${name}_TESTS)

    # Tests on the one virtual display see each other's windows: one at a time.
    # Every other test runs without a display: with DISPLAY unset the framework
    # would fall back to ":0.0" and use whatever X server holds that number
    # (another run's, which may go away mid-test), so DISPLAY names none. The
    # display tests set it from QUORVEL_TEST_DISPLAY themselves.
    set(display_lock "")
    if("display" IN_LIST ARG_LABELS)
        set(display_lock "RESOURCE_LOCK quorvel_display")
    endif()

    # gtest_discover_tests flattens a list of labels into separate properties,
    # so the labels are applied by a script that ctest runs after discovery.
    set(label_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
    file(WRITE ${label_script}
        "if(${name}_TESTS)\n"
        "    set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\" TIMEOUT 600 ENVIRONMENT DISPLAY=none ${display_lock})\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_script})
endfunction()

# quorvel_add_fuzzer(<name> SOURCES ... [LIBRARIES ...] CORPUS <dir> [<dir> ...])
# With QUORVEL_FUZZERS the target is a libFuzzer binary that tools/test.sh runs
# for a bounded time, seeded from every corpus folder; in every build the seeds
# are replayed as a ctest case through a plain driver, so they are checked under
# each sanitizer.
function(quorvel_add_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;CORPUS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} quorvel_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    if(QUORVEL_FUZZERS)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        string(REPLACE ";" ":" corpus_folders "${ARG_CORPUS}")
        set_property(GLOBAL APPEND PROPERTY QUORVEL_FUZZER_LIST "${name}=${corpus_folders}")
        add_test(NAME ${name}.corpus COMMAND ${name} -runs=0 ${ARG_CORPUS})
    else()
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/FuzzReplayMain.cpp)
        add_test(NAME ${name}.corpus COMMAND ${name} ${ARG_CORPUS})
    endif()
    set_tests_properties(${name}.corpus PROPERTIES LABELS "fuzz" ENVIRONMENT DISPLAY=none)
endfunction()
