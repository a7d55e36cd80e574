# GoogleTest, and the helpers every test directory uses.
enable_testing()
include(GoogleTest)

if(WIN32)
  # Built from the sources Debian's googletest package installs; this
  # combination builds with MinGW and passes under Wine.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

set(QM_TEST_SERVER_URL "http://127.0.0.1:${QM_TEST_PORT}/")

# qm_add_gtest(name SOURCES ... LIBS ... [NEEDS_SERVER] [NEEDS_DEMO])
# NEEDS_SERVER: the loopback test server (tests/server) runs for these cases;
# its base address reaches the test as QM_TEST_SERVER.
function(qm_add_gtest name)
  cmake_parse_arguments(T "NEEDS_SERVER;NEEDS_DEMO" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(props ENVIRONMENT "QM_TEST_SERVER=${QM_TEST_SERVER_URL}")
  set(fixtures "")
  if(T_NEEDS_SERVER)
    list(APPEND fixtures test_server)
  endif()
  if(T_NEEDS_DEMO)
    list(APPEND fixtures demo_site)
  endif()
  if(fixtures)
    list(JOIN fixtures ";" fixture_list)
    list(APPEND props FIXTURES_REQUIRED "${fixture_list}")
  endif()
  if(WIN32)
    # Every Wine start costs about a second: under Wine a suite runs as one
    # process (its output names any failing case) instead of one per case.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QM_TEST_SERVER=${QM_TEST_SERVER_URL}")
    if(fixtures)
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}")
    endif()
    if(T_PROPERTIES)
      set_tests_properties(${name} PROPERTIES ${T_PROPERTIES})
    endif()
  else()
    gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 180
      DISCOVERY_MODE PRE_TEST
      PROPERTIES ${props} ${T_PROPERTIES})
  endif()
endfunction()
