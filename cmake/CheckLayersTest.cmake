# The layer check must refuse an upward include and accept a downward one.
# cmake -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/down/src/app/Top.h" "#include \"store/Record.h\"\n#include \"state/Program.h\"\n")
file(WRITE "${WORK}/down/src/store/Record.h" "#include <cstdint>\n")
file(WRITE "${WORK}/up/src/app/Top.h" "#include \"store/Record.h\"\n")
file(WRITE "${WORK}/up/src/dsp/Kernel.cpp" "#include \"dsp/Kernel.h\"\n#include \"state/Program.h\"\n")

execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK}/down/src -P ${CHECK}
                RESULT_VARIABLE _down OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _down EQUAL 0)
  message(FATAL_ERROR "a downward include was refused:\n${_out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK}/up/src -P ${CHECK}
                RESULT_VARIABLE _up OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(_up EQUAL 0 OR NOT _out MATCHES "dsp/Kernel.cpp: #include \"state/Program.h\"")
  message(FATAL_ERROR "the kernel's include of the state was not refused by name:\n${_out}")
endif()
