# tulma_add_gtest(NAME SOURCES... LIBS ... [LABELS label] [TIMEOUT seconds]): one GoogleTest executable
# registered with ctest.
# tulma_add_qtest(NAME SOURCES... LIBS ... LABELS ... [OFFSCREEN] [WRAPPER command...]): one QtTest
# executable registered with ctest; OFFSCREEN runs it without a display, WRAPPER runs it through a
# command (a private session bus, say).
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
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tulma_window_test_support)
    add_test(NAME ${name} COMMAND ${ARG_WRAPPER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    if(ARG_OFFSCREEN)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    endif()
endfunction()
