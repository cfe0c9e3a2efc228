# Tests of the window layer: ending the program, the hourglass, the list view, the progress bar and
# the help window.
tulmo_add_test(test_platform_ui_windows ${CMAKE_CURRENT_SOURCE_DIR}/application_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/help_window_test.cpp)
add_dependencies(test_platform_ui_windows tulmo_help)
