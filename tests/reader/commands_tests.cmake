# The reader's commands, headless: an in-memory state, recording sources and a
# scripted event queue.
qm_add_gtest(reader_commands_tests
  SOURCES commands_test.cpp commands_nesting_test.cpp
  LIBS qm_reader qm_headless_state)
