# The faces: which one is built, what it is built with, and the one helper
# that adds it, area by area.
#
#   ZENALTO_FACE         the face, the one switch for it (each preset sets
#                        it): qt, Qt Widgets, the default on Linux; win32, the
#                        Windows API itself, the default when building for
#                        Windows; web, a web page, the default with
#                        Emscripten; none, only the layers without a toolkit
#                        (the core, the commands, the tables, the launcher),
#                        as the fuzz targets want
#   zenalto_add_face()   in an area's CMakeLists.txt (app/, layout/,
#                        platform/, about/, main_window/ and their tests):
#                        adds its subfolder named for the face (qt/, win32/
#                        or web/), where it has one
#
# What only one face builds is added from that face's folder in app/: the
# Qt face's pictures (resources/), benchmarks (bench/) and Debian package;
# the Windows face's start-up floor (bench/startup-win32/) and installer/.
#
# A new face is a subfolder of that name in each area, app/ among them, a
# value here and a preset that sets it.
set(zenalto_faces qt win32 web none)
if(EMSCRIPTEN)
  set(zenalto_default_face web)
elseif(WIN32)
  set(zenalto_default_face win32)
else()
  set(zenalto_default_face qt)
endif()
set(ZENALTO_FACE ${zenalto_default_face} CACHE STRING "The face to build: qt, win32, web or none")
set_property(CACHE ZENALTO_FACE PROPERTY STRINGS ${zenalto_faces})

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

# The Qt face's toolkit, found here at the top so that every area's qt/
# subfolder and its tests see its targets.
if(ZENALTO_FACE STREQUAL "qt")
  find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
endif()

function(zenalto_add_face)
  if(NOT ZENALTO_FACE STREQUAL "none" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${ZENALTO_FACE}/CMakeLists.txt")
    add_subdirectory(${ZENALTO_FACE})
  endif()
endfunction()
