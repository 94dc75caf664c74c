# One interface target carries the language level and the warnings for every target.
# Extensions are a property of each target, not of an interface: the default for all of them
# is set here, before any target exists, so the code builds as standard C++20, not gnu++20.
set(CMAKE_CXX_EXTENSIONS OFF)
add_library(quorvex_options INTERFACE)
target_compile_features(quorvex_options INTERFACE cxx_std_20)
target_compile_definitions(quorvex_options INTERFACE _FILE_OFFSET_BITS=64)

# The warnings every build shows. A new one goes into this list once the tree is free of it.
set(QUORVEX_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast)
target_compile_options(quorvex_options INTERFACE ${QUORVEX_WARNINGS})

# CI turns warnings into errors; a developer's build only shows them.
option(QUORVEX_WERROR "Treat compiler warnings as errors" OFF)
if(QUORVEX_WERROR)
  target_compile_options(quorvex_options INTERFACE -Werror)
endif()

# Sanitizer builds for CI (build-asan, build-tsan): "address,undefined" or "thread".
set(QUORVEX_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread")
if(QUORVEX_SANITIZE)
  # Every target, also the test support and the benchmarks: a sanitizer sees only what it instruments.
  add_compile_options(-fsanitize=${QUORVEX_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QUORVEX_SANITIZE})
  if(QUORVEX_SANITIZE MATCHES "undefined")
    # A finding fails the test instead of scrolling by.
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# libFuzzer targets under fuzz/ (clang only); the rest of the tree is instrumented for coverage.
option(QUORVEX_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
if(QUORVEX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORVEX_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
