# The input box, the font dialog and the appearance services on the real
# screen, and the seam through which tests answer the dialogs.
target_sources(qm_win32_window PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dialog_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/appearance_services_win32.cpp)
# The font dialog's DLL loads when the dialog is first opened.
qm_delay_loaded_library(comdlg32)
target_link_libraries(qm_win32_window PUBLIC qm_delayed_comdlg32)
