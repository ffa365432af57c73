# Helpers that declare one test executable per unit.

# A GoogleTest executable over the core (no windowing toolkit).
function(sovvenzia_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE sovvenzia_core sovvenzia_test_support GTest::gtest
                                          GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# A QtTest executable over screens or platform services, run headless:
# sovvenzia_add_qtest(name sources... [LINK libraries...]). Without LINK it
# drives the whole program through the screen test support.
function(sovvenzia_add_qtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "LINK")
    if(NOT ARG_LINK)
        set(ARG_LINK sovvenzia_screen_test_support)
    endif()
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
