# Compiles resources/verezerud.rc with the Windows resource compiler, then runs
# the checks of the compiled file. Arguments: WINDRES, RC, OUT, CHECK.
get_filename_component(rc_dir ${RC} DIRECTORY)  # where the script's files lie
execute_process(
  COMMAND ${WINDRES} --preprocessor=cpp -I ${rc_dir}
          -i ${RC} -O res -o ${OUT}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "windres failed on ${RC}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env VZ_RES_FILE=${OUT} ${CHECK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the compiled resources do not match")
endif()
