# AddressSanitizer and UndefinedBehaviorSanitizer for the whole project, and
# the libFuzzer instrumentation for the fuzz targets. Like the warnings they
# live on an interface target; zenalto_warnings links it, so every target of
# ours gets them without a line of its own, and nothing leaks into others.
#
#   ZENALTO_SANITIZERS  every error of ASan or UBSan ends the program at once
#   ZENALTO_FUZZ        builds the libFuzzer targets of tests/fuzz (clang only)
#                       and turns ZENALTO_SANITIZERS on with them
option(ZENALTO_SANITIZERS "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZENALTO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

add_library(zenalto_sanitizers INTERFACE)
add_library(Zenalto::sanitizers ALIAS zenalto_sanitizers)

if(ZENALTO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZENALTO_FUZZ needs clang for libFuzzer: configure with "
                        "-DCMAKE_CXX_COMPILER=clang++ (or the fuzz preset)")
  endif()
  set(ZENALTO_SANITIZERS ON CACHE BOOL "" FORCE)
  # Coverage feedback for the code under test; the fuzz targets themselves
  # link with -fsanitize=fuzzer, which brings libFuzzer's main.
  target_compile_options(zenalto_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

if(ZENALTO_SANITIZERS)
  if(MSVC)
    message(FATAL_ERROR "ZENALTO_SANITIZERS is for GCC and clang")
  endif()
  set(zenalto_sanitizer_flags
    -fsanitize=address,undefined
    -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  # GCC leaves these out of -fsanitize=undefined; clang has them in already.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND zenalto_sanitizer_flags -fsanitize=float-cast-overflow)
  endif()
  target_compile_options(zenalto_sanitizers INTERFACE ${zenalto_sanitizer_flags})
  target_link_options(zenalto_sanitizers INTERFACE ${zenalto_sanitizer_flags})
endif()

target_link_libraries(zenalto_warnings INTERFACE zenalto_sanitizers)
