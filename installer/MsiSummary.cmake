# Writes the summary of the Windows Installer package MSI that wixl just made.
# wixl writes the template with the language 1033 whatever the package's:
# Spanish, as the product's language. wixl also draws a random package code
# and writes its own clock into the summary's two times. With
# SOURCE_DATE_EPOCH set (a release), the package code is the one of the
# version and the commit (MsiProductCode.cmake), and both times are that
# epoch, so that two builds of one commit are the same package, byte for
# byte; the times are written through msitools' own library (MsiTimes.py),
# as neither wixl nor msibuild 0.101 can set them. Without it, wixl's code
# and times stay, as in any developer's build.
#
#   cmake -DMSI=PATH -DVERSION=1.0 -DMSIBUILD=msibuild -DPYTHON=python3
#         [-DCOMMIT=SHA] -DSOURCE_DIR=PATH -P installer/MsiSummary.cmake
# COMMIT empty: the source folder's git HEAD, or none when it is not a clone.
include(${CMAKE_CURRENT_LIST_DIR}/MsiProductCode.cmake)

set(package_code "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: '$ENV{SOURCE_DATE_EPOCH}'")
  endif()
  if(NOT COMMIT)
    execute_process(COMMAND git -C ${SOURCE_DIR} rev-parse HEAD
                    OUTPUT_VARIABLE COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE no_git ERROR_QUIET)
    if(no_git)
      set(COMMIT "")
    endif()
  endif()
  zenalto_msi_package_code(${VERSION} "${COMMIT}" package_code)
  set(package_code "{${package_code}}")
endif()

execute_process(COMMAND ${MSIBUILD} ${MSI} -s "Zenalto ${VERSION}" "Equipo Zenalto" "x64;3082"
                        ${package_code}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "msibuild could not write the summary of ${MSI}")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/MsiTimes.py ${MSI}
                          $ENV{SOURCE_DATE_EPOCH}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not date the summary of ${MSI} (Debian packages python3-gi, gir1.2-libmsi-1.0)")
  endif()
endif()
