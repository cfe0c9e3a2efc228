# cmake -DSOURCE=<tree> -DBINARY=<new build folder> -DGENERATOR=<generator> -P ConfigureWithoutGTest.cmake
# Configures the tree with the tests off and GoogleTest made unfindable: nothing outside the tests
# may need it.
file(REMOVE_RECURSE "${BINARY}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${BINARY}" -G "${GENERATOR}"
                        -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Configuring without GoogleTest failed:\n${out}\n${err}")
endif()
file(READ "${BINARY}/CMakeCache.txt" cache)
if(cache MATCHES "GTest_DIR:PATH=/")
  message(FATAL_ERROR "The configure without tests still looked GoogleTest up")
endif()
file(REMOVE_RECURSE "${BINARY}")
