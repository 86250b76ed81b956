# The launcher as a command under Wine, over values written with `wine reg add`:
# "PATH" naming a copy of the marker tool in a folder with blanks starts it;
# with neither value the command prints the message.
#   cmake -DWINE=wine -DSYSINFO=<exe> -DMARKER=<exe> -DWORK=<folder> -P RegAddRoads.cmake
set(path_key "HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO")
set(location_key "HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location")
# Wine's own commands by their full paths: a bare name goes through
# start.exe, which under load now and then could not start them ("Application
# could not be started ... ShellExecuteEx failed: Internal error").
set(reg "C:\\windows\\system32\\reg.exe")
set(winepath "C:\\windows\\system32\\winepath.exe")

# Output through files, not pipes: a tool that the command starts inherits its
# standard output and error and would keep a pipe open after the command has
# ended.
function(run_wine output)
  execute_process(COMMAND ${WINE} ${ARGN} OUTPUT_FILE ${WORK}/output ERROR_FILE ${WORK}/errors
                  RESULT_VARIABLE failed)
  file(READ ${WORK}/output out)
  file(READ ${WORK}/errors err)
  # Wine writes Windows line ends.
  string(REPLACE "\r" "" out "${out}")
  set(${output} "${out}" PARENT_SCOPE)
  set(${output}_failed "${failed}" PARENT_SCOPE)
  # What Wine itself says when it cannot start or run a program goes there.
  set(${output}_errors "${err}" PARENT_SCOPE)
endfunction()

# A value or key that is not there is no error here; any other failure is, or
# a value left behind would show up as a wrong road further on.
function(delete_value key value)
  run_wine(deleted "${reg}" delete "${key}" /v ${value} /f)
  if(deleted_failed AND NOT deleted MATCHES "Unable to find")
    message(FATAL_ERROR "reg delete ${value} failed (${deleted_failed}): ${deleted}${deleted_errors}")
  endif()
endfunction()

function(clear_values)
  delete_value("${path_key}" PATH)
  delete_value("${location_key}" MSINFO)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Program Files")
file(COPY_FILE "${MARKER}" "${WORK}/Program Files/tool.exe")
file(COPY_FILE "${MARKER}" "${WORK}/Program.exe")
run_wine(tool "${winepath}" -w "${WORK}/Program Files/tool.exe")
string(STRIP "${tool}" tool)

clear_values()
run_wine(added "${reg}" add "${path_key}" /v PATH /t REG_SZ /d "${tool}" /f)
if(added_failed)
  message(FATAL_ERROR "reg add failed: ${added}${added_errors}")
endif()
run_wine(shown "${SYSINFO}")
if(NOT shown STREQUAL "" OR shown_failed)
  message(FATAL_ERROR "PATH set, yet: '${shown}' (${shown_failed}) ${shown_errors}")
endif()
# The tool has started once its report is there; let it end.
foreach(wait RANGE 300)
  if(EXISTS "${WORK}/Program Files/tool.exe.started")
    break()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.1)
endforeach()
file(TOUCH "${WORK}/Program Files/tool.exe.release")
if(NOT EXISTS "${WORK}/Program Files/tool.exe.started")
  message(FATAL_ERROR "PATH \"${tool}\" did not start the tool")
endif()
file(READ "${WORK}/Program Files/tool.exe.started" report)
string(REPLACE "\r" "" report "${report}")
message(STATUS "started ${tool}; it reports: ${report}")
if(EXISTS "${WORK}/Program.exe.started")
  message(FATAL_ERROR "the decoy Program.exe started")
endif()

clear_values()
run_wine(shown "${SYSINFO}")
if(NOT shown STREQUAL "System Information Is Unavailable At This Time\n" OR shown_failed)
  message(FATAL_ERROR "neither value, yet: '${shown}' (${shown_failed}) ${shown_errors}")
endif()
message(STATUS "neither value: ${shown}")
