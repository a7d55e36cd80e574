# The appearance and help commands.
target_sources(qm_reader PRIVATE ${CMAKE_CURRENT_LIST_DIR}/appearance_commands.cpp)
