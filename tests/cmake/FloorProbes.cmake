# cmake -DBINARY=<build tree> -DPROBES=<floor_probe_name:floor:header;...> -P FloorProbes.cmake
# Builds each probe; one that names a header must fail for that header not being found, the one
# that names none must build.
foreach(probe ${PROBES})
  string(REPLACE ":" ";" fields "${probe}")
  list(LENGTH fields count)
  list(GET fields 0 target)
  set(header "")
  if(count GREATER 2)
    list(GET fields 2 header)
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BINARY}" --target ${target}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(header STREQUAL "")
    if(NOT rc EQUAL 0)
      message(SEND_ERROR "${target} names only lower floors and still did not build:\n${out}${err}")
    endif()
  elseif(rc EQUAL 0)
    message(SEND_ERROR "${target} includes ${header}, above its floor, and still built")
  elseif(NOT "${out}${err}" MATCHES "${header}: No such file")
    message(SEND_ERROR "${target} failed for another reason than the upward include:\n${out}${err}")
  endif()
endforeach()
