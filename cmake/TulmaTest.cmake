# tulma_add_gtest(NAME SOURCES... LIBS ... [LABELS label] [TIMEOUT seconds]): one GoogleTest executable
# registered with ctest.
# tulma_add_qtest(NAME SOURCES... LIBS ... LABELS ... [OFFSCREEN] [WRAPPER command...]): one QtTest
# executable registered with ctest; OFFSCREEN runs it without a display, WRAPPER runs it through a
# command (a private session bus, say).
# tulma_add_session_test(NAME TEST name SESSION script [SESSION_ARGS ...] SOURCES... LIBS ...
# [DEFINITIONS ...] [DEPENDS targets...] [ENVIRONMENT ...] [TIMEOUT seconds] [CASES ...]): a GoogleTest program that
# drives the real tulma inside a desktop session; SESSION starts the session and runs the whole program in
# it (one session per program), alone, so that load does not starve its timing. The program knows tulma's
# path as TULMA_PROGRAM; DEPENDS names the helper programs its DEFINITIONS point to.
# With CASES Suite.Case..., each of those cases runs in a desktop session of its own instead, registered as
# TEST.Suite.Case, for cases written to start on a fresh desktop.
include(GoogleTest)
find_package(GTest REQUIRED)

function(tulma_add_gtest name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    # gtest_discover_tests flattens a list of labels into further property names and values, so that
    # only the first label would stick and ctest -L / -LE would miss the test.
    list(LENGTH ARG_LABELS label_count)
    if(label_count GREATER 1)
        message(FATAL_ERROR "tulma_add_gtest(${name}): one label only, not ${ARG_LABELS}")
    endif()
    set(properties LABELS "${ARG_LABELS}")
    if(ARG_TIMEOUT)
        list(APPEND properties TIMEOUT ${ARG_TIMEOUT})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

function(tulma_add_qtest name)
    cmake_parse_arguments(ARG "OFFSCREEN" "" "SOURCES;LIBS;LABELS;WRAPPER" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tulma_qt_test_support)
    add_test(NAME ${name} COMMAND ${ARG_WRAPPER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    if(ARG_OFFSCREEN)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    endif()
endfunction()

function(tulma_add_session_test name)
    cmake_parse_arguments(ARG "" "TEST;SESSION;TIMEOUT"
        "SOURCES;LIBS;DEFINITIONS;DEPENDS;SESSION_ARGS;ENVIRONMENT;CASES" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tulma_qt_test_support GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/shell)
    target_compile_definitions(${name} PRIVATE TULMA_PROGRAM="$<TARGET_FILE:tulma>" ${ARG_DEFINITIONS})
    add_dependencies(${name} tulma ${ARG_DEPENDS})
    if(TARGET tulma_message_file)
        add_dependencies(${name} tulma_message_file)
    endif()
    set(tests)
    foreach(case ${ARG_CASES})
        add_test(NAME ${ARG_TEST}.${case}
            COMMAND ${ARG_SESSION} ${ARG_SESSION_ARGS} $<TARGET_FILE:${name}> --gtest_filter=${case})
        list(APPEND tests ${ARG_TEST}.${case})
    endforeach()
    if(NOT ARG_CASES)
        add_test(NAME ${ARG_TEST} COMMAND ${ARG_SESSION} ${ARG_SESSION_ARGS} $<TARGET_FILE:${name}>)
        set(tests ${ARG_TEST})
    endif()
    set_tests_properties(${tests} PROPERTIES LABELS wayland TIMEOUT ${ARG_TIMEOUT} RUN_SERIAL TRUE)
    if(ARG_ENVIRONMENT)
        set_tests_properties(${tests} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
endfunction()
