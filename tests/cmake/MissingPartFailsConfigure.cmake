# cmake -DSOURCE=<tree> -DWORK=<scratch folder> -DGENERATOR=<generator> -P MissingPartFailsConfigure.cmake
# A copy of the tree lacking one of the build's own files must fail to configure and name the
# file, never build a program with a part silently left out.
# An included file, one of the files a folder includes in turn, and a subsystem's own CMakeLists.txt.
set(parts modelrun/window.cmake platform/ui/windows.cmake lists/CMakeLists.txt)
foreach(part ${parts})
  file(REMOVE_RECURSE "${WORK}")
  file(COPY "${SOURCE}/" DESTINATION "${WORK}/src"
       REGEX "^${SOURCE}/(build[^/]*|\\.git)$" EXCLUDE)
  file(REMOVE "${WORK}/src/${part}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -S "${WORK}/src" -B "${WORK}/build" -G "${GENERATOR}"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  get_filename_component(name "${part}" NAME)
  get_filename_component(folder "${part}" DIRECTORY)
  if(rc EQUAL 0)
    message(SEND_ERROR "Without ${part} the tree still configured")
  elseif(NOT err MATCHES "${name}|${folder}")
    message(SEND_ERROR "Without ${part} the configure failed without naming it:\n${err}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
