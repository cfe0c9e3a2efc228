# Tests of the window layer: ending the program, the hourglass, the list view and the progress bar.
tulmo_add_test(test_platform_ui_windows ${CMAKE_CURRENT_SOURCE_DIR}/application_test.cpp)
