# Qt and the front ends stay in their folders: no file outside src/qt/ and
# src/win32/ includes a Qt header or a front end's header.
file(GLOB_RECURSE sources ${SRC}/*.h ${SRC}/*.cpp)
foreach(f ${sources})
  if(f MATCHES "/src/(qt|win32)/")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "^#include [<\"](Q|qt/|win32/)")
  if(hits)
    message(FATAL_ERROR "${f} includes a front end: ${hits}")
  endif()
endforeach()
