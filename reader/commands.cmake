target_sources(qm_reader PRIVATE commands.cpp)
