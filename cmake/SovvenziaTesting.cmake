# Helpers that declare one test executable per unit.

# A GoogleTest executable over the core (no windowing toolkit).
function(sovvenzia_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE sovvenzia_core sovvenzia_test_support GTest::gtest
                                          GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# A QtTest executable over screens or platform services, run headless.
function(sovvenzia_add_qtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE sovvenzia_screen_test_support)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
