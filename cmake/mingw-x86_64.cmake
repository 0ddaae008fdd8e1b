# Cross-building for 64-bit Windows with MinGW-w64 from Debian:
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DVEREZERUD_QT=OFF
# The -posix compilers carry std::thread and std::mutex; the plain names are
# the win32-thread variant, which in GCC 12 has neither. Programs run on this
# machine through Wine, so the tests can run them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VZ_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(VZ_WINE NAMES wine wine64)
if(VZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VZ_WINE})
endif()
