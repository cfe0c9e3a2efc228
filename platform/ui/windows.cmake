# The window layer of the user interface: forms, twips, controls, list view, dialogs, desktop services, help and text viewers.
target_sources(tulmo_platform PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/Twips.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Form.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Controls.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/CallByName.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Application.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ListView.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/CommonDialog.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/HelpWindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TextViewer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TextViewer.h
  ${CMAKE_CURRENT_SOURCE_DIR}/Form.h
  ${CMAKE_CURRENT_SOURCE_DIR}/Controls.h
  ${CMAKE_CURRENT_SOURCE_DIR}/ListView.h
  ${CMAKE_CURRENT_SOURCE_DIR}/CommonDialog.h)
