# The reader's commands, headless: an in-memory state, recording sources and a
# scripted event queue.
qm_add_gtest(reader_commands_tests
  SOURCES commands_test.cpp commands_nesting_test.cpp
  LIBS qm_reader qm_headless_state)

# The road of one reading through the reader wired as the program wires it:
# the headless window, the real sources and the demo site.
qm_add_gtest(reader_road_tests
  SOURCES road_test.cpp
  LIBS qm_headless_appearance
  NEEDS_DEMO)
target_compile_definitions(reader_road_tests PRIVATE QM_DEMO_PORT=${QM_DEMO_PORT})
