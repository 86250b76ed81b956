# Fails when EXE imports a registry function or needs a DLL that Windows does
# not have: the registry functions are bound at run time, and everything else
# is linked in statically. ALLOWED, a regular expression, names the DLLs it may
# import, by default those of the launcher's command.
#   cmake -DOBJDUMP=... -DEXE=... [-DALLOWED=...] -P CheckImports.cmake
if(NOT DEFINED ALLOWED)
  set(ALLOWED "kernel32|msvcrt|user32|advapi32|shell32|version")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
list(TRANSFORM dlls REPLACE "DLL Name: " "")
message(STATUS "${EXE} imports from: ${dlls}")
foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" dll)
  if(NOT dll MATCHES "^(${ALLOWED})\\.dll$"
     AND NOT dll MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${EXE} needs ${dll}, which is not part of Windows")
  endif()
endforeach()

foreach(function IN ITEMS RegOpenKeyExA RegQueryValueExA RegCloseKey)
  if(dump MATCHES "[ \t]${function}\n")
    message(FATAL_ERROR "${EXE} imports ${function}")
  endif()
endforeach()
