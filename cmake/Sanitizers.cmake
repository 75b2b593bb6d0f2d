# Instrumented builds. Both apply to every target defined after this file is
# included, the project's libraries as well as its programs and tests.
#
# VORN_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer; the first
#   report ends the program, so that a test with a finding fails. The test
#   suite runs once so (build-asan, see scripts/test.sh).
# VORN_FUZZ: the same sanitizers plus libFuzzer's coverage instrumentation,
#   and the fuzzers in fuzz/. Needs clang (Debian: clang-14, libclang-rt-14-dev).

option(VORN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VORN_FUZZ "Build the libFuzzer fuzz targets (clang only)" OFF)

if(VORN_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VORN_FUZZ needs clang with libFuzzer, e.g. -DCMAKE_CXX_COMPILER=clang++-14")
endif()

if(VORN_SANITIZE OR VORN_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(VORN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
