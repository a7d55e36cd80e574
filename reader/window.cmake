target_sources(qm_reader PRIVATE form_description.cpp)
