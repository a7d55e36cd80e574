# The input box, the font dialog, the screen pixel and the opacity on the real
# screen under Wine, alone and in the real main window. Shares the X display
# with the window suites.
qm_add_gtest(win32_appearance_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/appearance_win32_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_driver.cpp
  LIBS qm_win32_window
  PROPERTIES RUN_SERIAL TRUE)
