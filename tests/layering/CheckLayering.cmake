# Builds each probe and expects it to fail because its hidden header is not found.
# Arguments: -DBUILD_DIR=... -DPROBES=target=header,target=header,...
string(REPLACE "," ";" PROBES "${PROBES}")
foreach(entry IN LISTS PROBES)
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 target)
  list(GET entry 1 header)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target ${target}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(result EQUAL 0)
    message(FATAL_ERROR "${target} compiled, although it includes ${header}")
  endif()
  string(REPLACE "." "\\." pattern "${header}")
  # GCC: "<header>: No such file or directory"; clang: "'<header>' file not found".
  if(NOT output MATCHES "${pattern}'?:? (No such file or directory|file not found)")
    message(FATAL_ERROR "${target} failed for another reason than ${header}:\n${output}")
  endif()
  message(STATUS "${target}: ${header} is out of reach, as it should be")
endforeach()
