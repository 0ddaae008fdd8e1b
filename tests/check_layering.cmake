cmake_minimum_required(VERSION 3.25)
# The layers of src/, checked by what each file includes (argument: SRC):
# - Qt, and the front ends' headers, stay in src/qt and src/win32;
# - system headers stay in src/os and the front ends, windows.h in src/os and
#   src/win32: elsewhere only the C++ standard library is included;
# - the core (platform, options, store, chime, reminder, dialogs, app, frontend)
#   includes nothing from os/, sim/, qt/ or win32/; src/os nothing from sim/,
#   qt/ or win32/; src/sim nothing from qt/ or win32/;
# - every source in src/qt, with its own header, includes Qt or xcb: what
#   needs neither belongs elsewhere.
set(core platform options store chime reminder dialogs app frontend)
set(folders ${core} os sim qt win32)
# What a layer may not include, by the folder of the header.
foreach(layer ${core})
  set(barred_${layer} os sim qt win32)
endforeach()
set(barred_os sim qt win32)
set(barred_sim qt win32)

# Qt's headers: <QWidget>, <QtCore/QTimer>, <qdrawutil.h>.
set(qt_header "^<(Q|q[a-z_]*\\.h>)")
# Any header that is not the C++ standard library's has a suffix or a folder.
set(system_header "^<[^>]*[./]")

set(faults)
file(GLOB entries RELATIVE ${SRC} ${SRC}/*)
foreach(entry ${entries})
  if(IS_DIRECTORY ${SRC}/${entry} AND NOT entry IN_LIST folders)
    list(APPEND faults "src/${entry}/ has no place among the layers")
  endif()
endforeach()

file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
foreach(f ${sources})
  string(REGEX MATCH "^[^/]+" layer "${f}")
  file(STRINGS ${SRC}/${f} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    string(REGEX MATCH "[<\"][^>\"]*[>\"]" header "${line}")
    if(layer STREQUAL "qt" OR layer STREQUAL "win32")
      if(layer STREQUAL "qt" AND header STREQUAL "<windows.h>")
        list(APPEND faults "src/${f} includes ${header}, which only src/os and src/win32 may")
      endif()
      continue()
    endif()
    if(header MATCHES "${qt_header}" OR header MATCHES "^\"(qt|win32)/")
      list(APPEND faults "src/${f} includes a front end: ${header}")
    elseif(NOT layer STREQUAL "os" AND header MATCHES "${system_header}")
      list(APPEND faults "src/${f} includes a system header, which only src/os and the front ends may: ${header}")
    endif()
    foreach(barred ${barred_${layer}})
      if(header MATCHES "^\"${barred}/")
        list(APPEND faults "src/${f} in src/${layer} includes from src/${barred}: ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Each source of the Qt front end, read with its own header.
file(GLOB qt_sources RELATIVE ${SRC}/qt ${SRC}/qt/*.cpp ${SRC}/qt/*.h)
foreach(f ${qt_sources})
  string(REGEX REPLACE "\\.(cpp|h)$" "" name "${f}")
  set(uses_qt FALSE)
  foreach(part ${name}.cpp ${name}.h)
    if(EXISTS ${SRC}/qt/${part})
      file(STRINGS ${SRC}/qt/${part} hits REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q|q[a-z_]*\\.h>|xcb/)")
      if(hits)
        set(uses_qt TRUE)
      endif()
    endif()
  endforeach()
  if(NOT uses_qt)
    list(APPEND faults "src/qt/${f} uses neither Qt nor xcb: it belongs in another layer")
  endif()
endforeach()

list(REMOVE_DUPLICATES faults)
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the layers are crossed:\n  ${text}")
endif()
