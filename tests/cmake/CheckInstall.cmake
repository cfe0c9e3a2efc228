# cmake -DBINARY=<build folder> -DPREFIX=<new prefix> -DHELP_SOURCE=<help pages> -DREADELF=<readelf>
#       -P CheckInstall.cmake
# Installs the build into a fresh prefix and checks that the program finds each part there the way
# it looks: the engine's steps beside it, the map-layer library through its run path, the help
# pages in ../share/ui-tulmo/help, and the delivered database to copy into a working folder.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BINARY}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${err}")
endif()

set(missing)
foreach(part bin/ui-tulmo bin/corvix1 bin/tulmo share/ui-tulmo/tulmo-final.db)
  if(NOT EXISTS "${PREFIX}/${part}")
    list(APPEND missing ${part})
  endif()
endforeach()
file(GLOB pages RELATIVE "${HELP_SOURCE}" "${HELP_SOURCE}/*.htm" "${HELP_SOURCE}/*.css")
foreach(page ${pages})
  if(NOT EXISTS "${PREFIX}/share/ui-tulmo/help/${page}")
    list(APPEND missing share/ui-tulmo/help/${page})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "The installed prefix lacks: ${missing}")
endif()

# The library is opened by its plain name, so the loader looks along the program's run path.
execute_process(COMMAND "${READELF}" -d "${PREFIX}/bin/ui-tulmo" OUTPUT_VARIABLE dynamic)
if(NOT dynamic MATCHES "\\((RUNPATH|RPATH)\\)[^[]*\\[([^]]*)\\]")
  message(FATAL_ERROR "The installed program has no run path to find libmervane.so")
endif()
string(REPLACE "$ORIGIN" "${PREFIX}/bin" libdir "${CMAKE_MATCH_2}")
if(NOT EXISTS "${libdir}/libmervane.so")
  message(FATAL_ERROR "libmervane.so is not on the installed program's run path (${CMAKE_MATCH_2})")
endif()

# The installed steps start on their own: without arguments each says how it is called.
foreach(step corvix1 tulmo)
  execute_process(COMMAND "${PREFIX}/bin/${step}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT "${out}${err}" MATCHES "usage: ${step}")
    message(FATAL_ERROR "The installed ${step} did not start (${rc}): ${out}${err}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
