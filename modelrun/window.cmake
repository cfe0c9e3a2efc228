# The calculation window and the calculation run.
add_library(tulmo_calc STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/frmCalc.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/frmCalc.h
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_run.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_run.h)
set_target_properties(tulmo_calc PROPERTIES AUTOMOC ON)
target_link_libraries(tulmo_calc PUBLIC tulmo_modelrun tulmo_shell tulmo_records tulmo_process)
tulmo_floor(tulmo_calc modelrun)
