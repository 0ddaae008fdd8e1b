cmake_minimum_required(VERSION 3.25)
# Builds the Debian package the way a packager would: a fresh build with the
# prefix /usr, `cpack -G DEB`, then reads the package's control data and file
# list back with dpkg-deb. Arguments: SOURCE, WORK.
foreach(tool dpkg-deb dpkg-shlibdeps cpack)
  find_program(path_${tool} ${tool})
  if(NOT path_${tool})
    message("SKIPPED: ${tool} is not installed")
    return()
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

set(build ${WORK}/build)
file(REMOVE_RECURSE ${WORK}/packages)
run(${CMAKE_COMMAND} -S ${SOURCE} -B ${build} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON)
# Only what the package installs; the tests are not part of it.
run(${CMAKE_COMMAND} --build ${build} --target verezerud verezerud-sim -j2)
run(${path_cpack} -G DEB -B ${WORK}/packages --config ${build}/CPackConfig.cmake)

file(GLOB debs ${WORK}/packages/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

run(${path_dpkg-deb} -I ${debs})
set(info "${out}")
message("${info}")
foreach(line "Package: verezerud" "Version: 1.01" "Architecture: amd64" "Section: utils")
  string(FIND "${info}" "${line}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "control data lacks \"${line}\"")
  endif()
endforeach()
# Depends: the libraries the programs link, found by dpkg-shlibdeps, and Qt's
# platform plugins; nothing else. libpulse0 is loaded only when a chime plays
# (or the microphone is watched); libqt6dbus6 and libxcb-sync1, for the presence
# sources, come with libqt6gui6 already.
string(REGEX MATCH "\n Depends: [^\n]*" depends "${info}")
set(allowed libc6 libgcc-s1 libstdc++6 libqt6core6 libqt6dbus6 libqt6gui6 libqt6widgets6 libxcb1
    libxcb-sync1 qt6-qpa-plugins)
foreach(dependency libc6 libqt6widgets6 qt6-qpa-plugins)
  if(NOT depends MATCHES "[ ,]${dependency}[ ,(]|[ ,]${dependency}$")
    message(SEND_ERROR "Depends lacks ${dependency}: ${depends}")
  endif()
endforeach()
string(REGEX REPLACE "^\n Depends: " "" listed "${depends}")
string(REGEX REPLACE " \\([^)]*\\)" "" listed "${listed}")
string(REPLACE ", " ";" listed "${listed}")
foreach(dependency ${listed})
  if(NOT dependency IN_LIST allowed)
    message(SEND_ERROR "Depends names ${dependency}, which the programs do not link")
  endif()
endforeach()
string(REGEX MATCH "\n Recommends: [^\n]*" recommends "${info}")
foreach(recommended fonts-wqy-microhei libpulse0)
  if(NOT recommends MATCHES "${recommended}")
    message(SEND_ERROR "Recommends lacks ${recommended}: ${recommends}")
  endif()
endforeach()

# Small: the programs are stripped.
file(REMOVE_RECURSE ${WORK}/unpacked)
run(${path_dpkg-deb} -x ${debs} ${WORK}/unpacked)
foreach(program verezerud verezerud-sim)
  run(readelf -S --wide ${WORK}/unpacked/usr/bin/${program})
  if(out MATCHES "\\.symtab|\\.debug_")
    message(SEND_ERROR "${program} is not stripped")
  endif()
  # Qt is the system's: no search path of the program's own, which could
  # reach a library in some other folder first.
  run(readelf -d --wide ${WORK}/unpacked/usr/bin/${program})
  if(out MATCHES "RUNPATH|RPATH")
    message(SEND_ERROR "${program} carries a library search path")
  endif()
endforeach()
file(SIZE ${debs} deb_size)
message("package size: ${deb_size} bytes")
if(deb_size GREATER 2000000)
  message(SEND_ERROR "the package is ${deb_size} bytes, over 2 MB")
endif()

run(${path_dpkg-deb} -c ${debs})
set(contents "${out}")
set(expected
  ./usr/bin/verezerud
  ./usr/share/applications/verezerud.desktop
  ./etc/xdg/autostart/verezerud.desktop
  ./usr/share/metainfo/org.example.Verezerud.metainfo.xml
  ./usr/share/doc/verezerud/copyright)
foreach(side 16 32 48 64 128 256)
  list(APPEND expected ./usr/share/icons/hicolor/${side}x${side}/apps/verezerud.png)
endforeach()
foreach(file ${expected})
  string(FIND "${contents}" " ${file}\n" at)
  if(at EQUAL -1)
    message(SEND_ERROR "the package lacks ${file}")
  endif()
endforeach()
if(NOT contents MATCHES "-rwxr-xr-x [^\n]* ./usr/bin/verezerud\n")
  message(SEND_ERROR "the program is not installed executable")
endif()
