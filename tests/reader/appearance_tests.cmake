# The appearance and help commands on the headless window, with scripted
# dialogs and a settable screen pixel.
qm_add_gtest(reader_appearance_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/appearance_test.cpp
  LIBS qm_headless_appearance)
# The contact box shows the line the build was configured with.
target_compile_definitions(reader_appearance_tests PRIVATE "QM_CONTACT_LINE=\"${QM_CONTACT_LINE}\"")
