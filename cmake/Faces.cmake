# The faces: which one is built (ZENALTO_FACE, set in the root CMakeLists.txt
# and by each preset) and the one helper that adds it, area by area.
#
#   zenalto_add_face()   in an area's CMakeLists.txt (layout/, platform/,
#                        about/, main_window/): adds its subfolder named for
#                        the face (qt/, win32/ or web/), where it has one
#
# A new face is a subfolder of that name in each area, a value here and a
# preset that sets it.
set(zenalto_faces qt win32 web none)
if(NOT ZENALTO_FACE IN_LIST zenalto_faces)
  message(FATAL_ERROR "ZENALTO_FACE is \"${ZENALTO_FACE}\": it must be one of ${zenalto_faces}")
endif()
if(ZENALTO_FACE STREQUAL "win32" AND NOT WIN32)
  message(FATAL_ERROR "The win32 face is built for Windows: use the mingw preset")
endif()
if(ZENALTO_FACE STREQUAL "web" AND NOT EMSCRIPTEN)
  message(FATAL_ERROR "The web face is built with Emscripten: use the web preset")
endif()
if(EMSCRIPTEN AND NOT ZENALTO_FACE MATCHES "^(web|none)$")
  message(FATAL_ERROR "The WebAssembly build has no ${ZENALTO_FACE} face: use the web preset")
endif()

function(zenalto_add_face)
  if(NOT ZENALTO_FACE STREQUAL "none" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${ZENALTO_FACE}/CMakeLists.txt")
    add_subdirectory(${ZENALTO_FACE})
  endif()
endfunction()
