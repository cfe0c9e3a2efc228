# The shell's windows and modules: the main window, start panel, level dialog, splash and about
# windows, start-up, settings, progress and list-key helpers, menu enabling and the resizing helper.
add_library(tulmo_shell STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Globals.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ChildForms.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/MenuEnabling.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/MDIMain.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Icons.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Progress.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TreeListFunctions.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/class_Elastic.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/UsefulRegistry.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/AppReg.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/frmAbout.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/frmSplash.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/frmOpen.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/frmDialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SubMain.cpp)
target_link_libraries(tulmo_shell PUBLIC tulmo_modelrun tulmo_core)
set_target_properties(tulmo_shell PROPERTIES AUTOMOC ON)
target_compile_definitions(tulmo_shell PRIVATE
  TULMO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  TULMO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  TULMO_VERSION_PATCH=${PROJECT_VERSION_PATCH})
