# Sanitizer and fuzzing builds.
#
#   -DHEHUN_SANITIZE=ON   every target built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer; any finding stops the
#                         program with an error, so a test that hits one fails
#   -DHEHUN_FUZZ=ON       also the libFuzzer targets of tests/fuzz (clang only;
#                         implies HEHUN_SANITIZE), and their short runs as tests
#
# tools/test.sh builds both into build-asan/ with clang at -O1.
option(HEHUN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(HEHUN_FUZZ "Build the libFuzzer targets (clang only; implies HEHUN_SANITIZE)" OFF)

if(HEHUN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HEHUN_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(HEHUN_SANITIZE ON)
endif()

if(HEHUN_SANITIZE)
  set(HEHUN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${HEHUN_SANITIZER_FLAGS} -fno-omit-frame-pointer)
  add_link_options(${HEHUN_SANITIZER_FLAGS})
endif()
