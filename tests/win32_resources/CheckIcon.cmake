# The icon holds three images, 32x32 in 2 colours, 32x32 in 16 colours and
# 16x16 in 16 colours: in its file, and as the executable carries it.
#   cmake -DICOTOOL=... -DWRESTOOL=... -DICO=<.ico> -DEXE=<exe> -DWORK=<folder> -P CheckIcon.cmake
set(expected
  "--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16
--icon --index=3 --width=16 --height=16 --bit-depth=4 --palette-size=16
")

function(check_icon file)
  execute_process(COMMAND ${ICOTOOL} -l ${file} OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
  if(failed OR NOT listed STREQUAL expected)
    message(FATAL_ERROR "icotool -l ${file} gives:\n${listed}expected:\n${expected}")
  endif()
  message(STATUS "icotool -l ${file}:\n${listed}")
endfunction()

check_icon(${ICO})

set(extracted ${WORK}/icon-from-exe.ico)
execute_process(COMMAND ${WRESTOOL} -x --type=group_icon --name=1 -o ${extracted} ${EXE}
                RESULT_VARIABLE failed)
if(failed OR NOT EXISTS ${extracted})
  message(FATAL_ERROR "wrestool finds no icon 1 in ${EXE}")
endif()
check_icon(${extracted})
