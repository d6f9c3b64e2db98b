# Creates the empty profile database DATABASE with TOOL unless the file is already there.
if(NOT EXISTS "${DATABASE}")
  execute_process(COMMAND "${TOOL}" create "${DATABASE}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not create ${DATABASE}")
  endif()
  message(STATUS "Created empty ${DATABASE}")
endif()
