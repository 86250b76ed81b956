# Warnings are errors in every target of the project. They live on an
# interface target linked PRIVATE, so nothing leaks into targets of others.
add_library(zenalto_warnings INTERFACE)
add_library(Zenalto::warnings ALIAS zenalto_warnings)

if(MSVC)
  target_compile_options(zenalto_warnings INTERFACE /W4 /WX /permissive-)
else()
  target_compile_options(zenalto_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Sanitizers.cmake)
