# Installs the build into a staging root (DESTDIR, so nothing outside it is
# touched) and checks that the program and its desktop files land in place.
# Arguments: BUILD, STAGE, PREFIX, DESKTOP_FILE_VALIDATE (optional).
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(root ${STAGE}${PREFIX})
# The autostart entry goes to the system configuration folder, wherever that is.
file(GLOB_RECURSE autostart LIST_DIRECTORIES false ${STAGE}/verezerud.desktop)
list(FILTER autostart INCLUDE REGEX "/xdg/autostart/verezerud\\.desktop$")
list(LENGTH autostart count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one autostart entry, found: ${autostart}")
endif()
set(expected
  ${root}/bin/verezerud
  ${root}/share/applications/verezerud.desktop
  ${root}/share/metainfo/org.example.Verezerud.metainfo.xml)
foreach(side 16 32 48 64 128 256)
  list(APPEND expected ${root}/share/icons/hicolor/${side}x${side}/apps/verezerud.png)
endforeach()
foreach(file ${expected})
  if(NOT EXISTS ${file})
    message(SEND_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND test -x ${root}/bin/verezerud RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(SEND_ERROR "the program is not executable")
endif()

if(DESKTOP_FILE_VALIDATE)
  foreach(entry ${root}/share/applications/verezerud.desktop ${autostart})
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${entry} RESULT_VARIABLE status OUTPUT_VARIABLE out)
    if(NOT status EQUAL 0 OR out)
      message(SEND_ERROR "${entry} does not validate:\n${out}")
    endif()
  endforeach()
endif()
