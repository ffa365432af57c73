# Helpers that declare one test executable per unit.

# A GoogleTest executable over the core (no windowing toolkit).
function(sovvenzia_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE sovvenzia_core sovvenzia_test_support GTest::gtest
                                          GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# A QtTest executable over screens or platform services, run headless:
# sovvenzia_add_qtest(name sources... [LINK libraries...] [DESKTOPS]). Without
# LINK it drives the whole program through the screen test support. With
# DESKTOPS the headless platform has the screens of
# tests/support/offscreen-desktops.json and draws no window frames: a roomy
# primary screen, then the areas that common desktops leave free of panels.
# The platform orders the screens by name and makes the first the primary.
function(sovvenzia_add_qtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "DESKTOPS" "" "LINK")
    if(NOT ARG_LINK)
        set(ARG_LINK sovvenzia_screen_test_support)
    endif()
    set(platform offscreen)
    if(ARG_DESKTOPS)
        set(platform "offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/support/offscreen-desktops.json")
    endif()
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=${platform};LC_ALL=C.UTF-8")
endfunction()
