# Sanitizer and fuzzing builds, and the hardening flags of every other build.
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

# Debian's hardening flags (dpkg-buildflags with hardening=+all) for every
# build that is not instrumented: stack protector, format checks, fortified
# libc calls in optimised builds, position-independent executables, and
# read-only relocations bound at start-up.
if(NOT HEHUN_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
