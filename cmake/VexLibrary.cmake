# vex_library(<target> [DEPS <target>...])
#
# One static library per source folder: every .cpp of the folder but the tests. The folder's
# name_test.cpp files form one GoogleTest program, registered test by test with CTest.
function(vex_library target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
    if(tests)
        list(REMOVE_ITEM sources ${tests})
    endif()

    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})

    if(VEX_TESTS AND tests)
        add_executable(${target}_tests ${tests})
        target_link_libraries(${target}_tests PRIVATE ${target} vex_test_support
                              vex_test_main)
        # Every test file includes it, and under the sanitizers its parsing is a good part of
        # each file's build.
        target_precompile_headers(${target}_tests PRIVATE <gtest/gtest.h>)
        # The tests' own code is built without optimisation, the libraries they test as
        # configured: optimising the assertion macros' expansions took most of the build time
        # and saves the short test bodies nothing that matters.
        target_compile_options(${target}_tests PRIVATE -O0)
        # A test that reads through a null or misaligned pointer still stops with the address
        # sanitizer's report; checking every pointer of the assertion macros as well cost a fifth
        # of the tests' build time. The libraries keep every check.
        if(VEX_SANITIZE)
            target_compile_options(${target}_tests PRIVATE -fno-sanitize=null,alignment)
        endif()
        # Tables of cases and other inputs live in a testdata/ folder beside the tests.
        target_compile_definitions(${target}_tests PRIVATE
                                   VEX_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
        gtest_discover_tests(${target}_tests DISCOVERY_MODE PRE_TEST
                             PROPERTIES TIMEOUT 120)
    endif()
endfunction()
