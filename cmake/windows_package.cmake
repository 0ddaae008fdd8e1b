# Makes the Windows packages (cmake -P), for the `windows-package` target:
#   OUT/verezerud-VERSION-windows.zip   x86_64/verezerud.exe, i686/verezerud.exe
#                                       (when EXE32 exists), readme.txt, LICENSE.txt
#   OUT/verezerud-VERSION-setup.exe     the per-user installer, built by MAKENSIS
#                                       (when given), carrying the x86_64 program
# Variables: VERSION, EXE64, EXE32 (may be missing), SOURCE_DIR, OUT, MAKENSIS,
# STRIP64 and STRIP32 (the packaged programs carry no debugging information).
foreach(var VERSION EXE64 SOURCE_DIR OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "windows_package.cmake needs -D${var}=...")
  endif()
endforeach()

set(name verezerud-${VERSION})
set(stage ${OUT}/${name}-windows)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/x86_64)
file(COPY_FILE ${EXE64} ${stage}/x86_64/verezerud.exe)
function(vz_strip strip exe)
  if(strip)
    execute_process(COMMAND ${strip} ${exe} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${strip} ${exe} failed: ${rc}")
    endif()
  endif()
endfunction()
vz_strip("${STRIP64}" ${stage}/x86_64/verezerud.exe)
set(members x86_64/verezerud.exe)
if(EXE32 AND EXISTS ${EXE32})
  file(MAKE_DIRECTORY ${stage}/i686)
  file(COPY_FILE ${EXE32} ${stage}/i686/verezerud.exe)
  vz_strip("${STRIP32}" ${stage}/i686/verezerud.exe)
  list(APPEND members i686/verezerud.exe)
else()
  message(WARNING "No 32-bit program at '${EXE32}' (build build-win32 first): "
                  "the zip carries the x86_64 program only")
endif()

# Text files with Windows' line ends, so that every Notepad shows them.
function(vz_windows_text in out)
  file(READ ${in} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${out} "${text}")
endfunction()
vz_windows_text(${SOURCE_DIR}/packaging/windows/readme.txt ${stage}/readme.txt)
vz_windows_text(${SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt)
list(APPEND members readme.txt LICENSE.txt)

set(zip ${OUT}/${name}-windows.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${members}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zip failed: ${rc}")
endif()
message(STATUS "Made ${zip}")

if(NOT MAKENSIS)
  message(WARNING "No makensis (Debian package nsis): no installer")
  return()
endif()
string(REGEX MATCHALL "[0-9]+" parts "${VERSION}")
list(APPEND parts 0 0 0 0)
list(SUBLIST parts 0 4 parts)
set(numbers)
foreach(p ${parts})
  math(EXPR p "${p}")  # 01 is 1
  list(APPEND numbers ${p})
endforeach()
list(JOIN numbers "." version4)
set(setup ${OUT}/${name}-setup.exe)
file(REMOVE ${setup})
execute_process(
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${VERSION} -DVERSION4=${version4}
          -DPROGRAM=${stage}/x86_64/verezerud.exe -DLICENSE=${stage}/LICENSE.txt
          -DICON=${SOURCE_DIR}/resources/verezerud.ico -DOUTFILE=${setup}
          ${SOURCE_DIR}/packaging/windows/verezerud.nsi
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS ${setup})
  message(FATAL_ERROR "makensis failed: ${rc}")
endif()
message(STATUS "Made ${setup}")
