# The calculation window and run, among the program's lists, editors and result window.
tulmo_add_test(test_calc
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_fixture.h
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_window_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_run_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/calc_readonly_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/records/ScenarioDb.cpp
  LIBS tulmo_calc tulmo_app_windows tulmo_test_input)
