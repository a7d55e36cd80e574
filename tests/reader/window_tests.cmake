# The main window's logic and the reader wired to it, on the headless window:
# virtual clock, event queue, scripted menus and tray.
qm_add_gtest(reader_window_tests
  SOURCES
    window_lifecycle_test.cpp
    window_layout_test.cpp
    window_panel_test.cpp
    window_wiring_test.cpp
    headless_form_test.cpp
  LIBS qm_headless_window)
