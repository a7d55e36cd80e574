# Import libraries whose DLLs Windows loads at the first call into them
# instead of at the program's start. quillmere.exe needs the font dialog
# (comdlg32), the request object's data types (oleaut32) and sockets (ws2_32)
# only once the reader acts, and each DLL loaded at start delays the window:
# under Wine comdlg32 alone, with the print spooler it brings, adds a quarter
# to a minimal window's start.
#
# qm_delay_loaded_library(NAME) gives the imported library qm_delayed_NAME,
# built at configure time by dlltool from the names the toolchain's own import
# library libNAME.a exports. The DLLs named here are part of every Windows, so
# a failed load cannot happen in practice.
find_program(QM_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool dlltool REQUIRED)
find_program(QM_NM NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-nm nm REQUIRED)

function(qm_delay_loaded_library name)
  set(target qm_delayed_${name})
  if(TARGET ${target})
    return()
  endif()
  find_library(QM_IMPORT_LIBRARY_${name} NAMES lib${name}.a REQUIRED)
  set(dir ${CMAKE_BINARY_DIR}/delay-load)
  set(library ${dir}/lib${name}-delayed.a)
  if(NOT EXISTS ${library})
    execute_process(COMMAND ${QM_NM} ${QM_IMPORT_LIBRARY_${name}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^I __imp_" "")
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n  " exports)
    file(WRITE ${dir}/${name}.def "LIBRARY ${name}.dll\nEXPORTS\n  ${exports}\n")
    execute_process(COMMAND ${QM_DLLTOOL} --input-def ${dir}/${name}.def
                            --output-delaylib ${library} --dllname ${name}.dll
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library})
endfunction()
