# Builds the delivered scenario database from the schema and the default contents.
# cmake -DSQLITE3=<cli> -DSCHEMA=<sql> -DDEFAULTS=<sql> -DOUTPUT=<db> -P BuildDatabase.cmake
# Writes a temporary file and renames it only when both scripts ran without error, so a failed
# script never leaves a half-built database behind.
set(tmp "${OUTPUT}.tmp")
file(REMOVE "${tmp}" "${tmp}-journal")
foreach(script IN ITEMS "${SCHEMA}" "${DEFAULTS}")
  execute_process(COMMAND "${SQLITE3}" -bail "${tmp}"
                  INPUT_FILE "${script}"
                  RESULT_VARIABLE rc
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    file(REMOVE "${tmp}" "${tmp}-journal")
    message(FATAL_ERROR "Building the scenario database failed in ${script}:\n${err}")
  endif()
endforeach()
file(RENAME "${tmp}" "${OUTPUT}")
