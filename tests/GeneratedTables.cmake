# Checks that the generator makes the committed code page tables byte for
# byte: cmake -DPYTHON=... -DGENERATOR=... -DUCM=... -DTABLES=... -DOUT=... -P
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${UCM} OUTPUT_FILE ${OUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${GENERATOR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${TABLES} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${TABLES} is not what ${GENERATOR} makes of ${UCM}; run it again")
endif()
