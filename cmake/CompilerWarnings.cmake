# The same warnings for every target of the project. They live on an
# interface target linked PRIVATE, so nothing leaks into targets of others.
#
# Warnings stop the build in CI (CI=true in the environment), in the asan and
# fuzz presets and wherever ZENALTO_WERROR is on. The README's commands only
# show them: a newer compiler or Qt that adds a warning must not keep a user
# from building the program.
option(ZENALTO_WERROR "Treat compiler warnings as errors (always on when CI=true)" OFF)
if(ZENALTO_WERROR OR "$ENV{CI}" STREQUAL "true")
  set(zenalto_werror ON)
else()
  set(zenalto_werror OFF)
endif()

add_library(zenalto_warnings INTERFACE)
add_library(Zenalto::warnings ALIAS zenalto_warnings)

if(MSVC)
  target_compile_options(zenalto_warnings INTERFACE /W4 /permissive- $<$<BOOL:${zenalto_werror}>:/WX>)
else()
  # Test executables (property ZENALTO_TEST_CODE) leave out three warnings
  # that GCC raises wrongly in their optimised builds: null-dereference on
  # widgets a test has already checked with QVERIFY, whose early return GCC
  # cannot see, and, in GCC 12, restrict and maybe-uninitialized once
  # std::basic_string is inlined into test code (GCC bugs 105329, 107138).
  set(test_code "$<BOOL:$<TARGET_PROPERTY:ZENALTO_TEST_CODE>>")
  set(gcc12 "$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>")
  target_compile_options(zenalto_warnings INTERFACE
    -Wall -Wextra -Wpedantic $<$<BOOL:${zenalto_werror}>:-Werror>
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<NOT:${test_code}>:-Wnull-dereference>
    $<$<AND:${test_code},${gcc12}>:-Wno-restrict;-Wno-maybe-uninitialized>)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Sanitizers.cmake)
