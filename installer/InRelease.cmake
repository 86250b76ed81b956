# Runs a command only in a release's build, that is with SOURCE_DATE_EPOCH
# set in the build's environment; in any other build it does nothing, and
# what the command needs need not be installed.
#
#   cmake -P installer/InRelease.cmake -- COMMAND [ARGUMENTS...]
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
set(command)
# CMAKE_ARGV0..3 are cmake, -P, this file and --.
foreach(i RANGE 4 ${CMAKE_ARGC})
  if(i LESS CMAKE_ARGC)
    list(APPEND command "${CMAKE_ARGV${i}}")
  endif()
endforeach()
execute_process(COMMAND ${command} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Failed (${failed}): ${command}")
endif()
