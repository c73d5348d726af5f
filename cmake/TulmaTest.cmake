# tulma_add_gtest(NAME SOURCES... LIBS ... [LABELS ...] [TIMEOUT seconds]): one GoogleTest executable
# registered with ctest.
include(GoogleTest)
find_package(GTest REQUIRED)

function(tulma_add_gtest name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    set(properties LABELS "${ARG_LABELS}")
    if(ARG_TIMEOUT)
        list(APPEND properties TIMEOUT ${ARG_TIMEOUT})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
