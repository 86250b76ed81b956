# Copies FILE into the folder DEST for a package to pack, keeping its time.
# With SOURCE_DATE_EPOCH set (a release), the copy gets that time instead:
# makensis stores a packed file's time in the setup program, and wixl's
# cabinet stores it too, so that the build's own clock would otherwise make
# two builds of one commit differ. The copy, not FILE, is dated, so that the
# build's files keep the times by which make knows what is out of date.
#
#   cmake -DFILE=PATH -DDEST=FOLDER -P installer/PackedCopy.cmake
file(COPY ${FILE} DESTINATION ${DEST})
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: '$ENV{SOURCE_DATE_EPOCH}'")
  endif()
  get_filename_component(name ${FILE} NAME)
  execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${DEST}/${name}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not date ${DEST}/${name}")
  endif()
endif()
