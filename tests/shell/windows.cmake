# Tests of the shell's windows and modules, offscreen.
tulmo_add_test(test_shell_windows
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_startup.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_routing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_menus.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_panel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_elastic.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_helpers.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_settings.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_program.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows_probe.h
  LIBS tulmo_app_windows)
add_dependencies(test_shell_windows tulmo_database tulmo_help)

