# What both MinGW-w64 toolchain files share; VZ_MINGW_TRIPLET names the target.
set(CMAKE_C_COMPILER ${VZ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VZ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VZ_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VZ_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One file to copy: the C and C++ runtimes and winpthreads linked in, so a
# program imports nothing but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
