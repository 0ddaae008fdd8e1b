# Runs SCRIPT through the simulator in a fresh folder WORK and compares the
# output with the expected trace EXPECTED/<stem>.expected. Files named
# EXPECTED/<stem>.NAME.in are copied into the folder first, as NAME, and
# EXPECTED/<stem>.args holds extra simulator arguments. With EMULATOR (Wine),
# SIM is a Windows program: it is given the folder and the script as Windows
# paths (drive Z: is the root), and prints the folder so.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(dir ${EXPECTED})
get_filename_component(stem ${SCRIPT} NAME_WE)
file(GLOB inputs ${dir}/${stem}.*.in)
foreach(in ${inputs})
  get_filename_component(base ${in} NAME)
  string(REGEX REPLACE "^${stem}\\.(.*)\\.in$" "\\1" target ${base})
  file(COPY_FILE ${in} ${WORK}/${target})
endforeach()
set(args)
if(EXISTS ${dir}/${stem}.args)
  file(STRINGS ${dir}/${stem}.args args)
  separate_arguments(args UNIX_COMMAND "${args}")
endif()
set(work ${WORK})
set(script ${SCRIPT})
if(EMULATOR)
  string(REPLACE "/" "\\" work "Z:${WORK}")
  string(REPLACE "/" "\\" script "Z:${SCRIPT}")
endif()
execute_process(COMMAND ${EMULATOR} ${SIM} --data-dir ${work} ${args} ${script}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
# Error lines name real paths; the expected traces name the data folder <data>.
if(EMULATOR)
  string(REPLACE "${work}\\" "<data>/" out "${out}")
endif()
string(REPLACE "${work}" "<data>" out "${out}")
file(WRITE ${WORK}/actual.trace "${out}")
file(READ ${dir}/${stem}.expected expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "simulator exited with ${rc}: ${err}")
endif()
if(NOT out STREQUAL expected)
  execute_process(COMMAND diff -u ${dir}/${stem}.expected ${WORK}/actual.trace)
  message(FATAL_ERROR "trace differs from ${stem}.expected (see diff above)")
endif()
