# The main window's form description and logic, and the reader wired to a form.
target_sources(qm_reader PRIVATE
  form_description.cpp
  window_logic.cpp
  controls_reader_state.cpp
  form_bindings.cpp
  reader_app.cpp)
