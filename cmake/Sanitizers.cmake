# Builds for finding memory and undefined-behaviour faults.
#
# SOVVENZIA_SANITIZE: everything (program, tests, helpers) with
# AddressSanitizer and UndefinedBehaviorSanitizer; any finding ends the
# process with a failure.
#
# SOVVENZIA_FUZZ: the libFuzzer targets in fuzz/ (clang only), with the code
# they reach instrumented for coverage and checked by both sanitizers.

option(SOVVENZIA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(SOVVENZIA_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

set(SOVVENZIA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                         -fno-omit-frame-pointer)

if(SOVVENZIA_SANITIZE OR SOVVENZIA_FUZZ)
    add_compile_options(${SOVVENZIA_SANITIZERS})
    add_link_options(-fsanitize=address,undefined)
endif()

if(SOVVENZIA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "SOVVENZIA_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
