# Run when gui_tests is built: asks it for its suites and what each needs
# (--list-suites, declared in the tests' sources with suites.h), and writes
# the CTest file OUT that runs each suite on its own: offscreen, or on a
# virtual display of its own made by XVFB.
execute_process(COMMAND ${BIN} --list-suites
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${BIN} --list-suites failed (${rc}): ${err}")
endif()
set(tests "")
string(REPLACE "\n" ";" lines "${out}")
foreach(line ${lines})
  if(line MATCHES "^([^ ]+) offscreen$")
    set(name ${CMAKE_MATCH_1})
    string(APPEND tests
      "add_test([=[gui.${name}]=] [=[${BIN}]=] [=[--gtest_filter=${name}.*]=])\n"
      "set_tests_properties([=[gui.${name}]=] PROPERTIES LABELS gui TIMEOUT 120"
      " ENVIRONMENT QT_QPA_PLATFORM=offscreen)\n")
  elseif(line MATCHES "^([^ ]+) display ([0-9]+x[0-9]+)$")
    set(name ${CMAKE_MATCH_1})
    string(APPEND tests
      "add_test([=[gui.${name}]=] [=[${XVFB}]=] ${CMAKE_MATCH_2} [=[${BIN}]=]"
      " [=[--gtest_filter=${name}.*]=])\n"
      "set_tests_properties([=[gui.${name}]=] PROPERTIES LABELS gui TIMEOUT 300)\n")
  elseif(NOT line STREQUAL "")
    message(FATAL_ERROR "${BIN} --list-suites: cannot read \"${line}\"")
  endif()
endforeach()
file(WRITE ${OUT} "${tests}")
