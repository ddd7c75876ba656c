# vsf_add_test(NAME SOURCES files... LIBS targets...)
# One GoogleTest program per area; its cases become CTest tests (run through Wine when cross-built).
function(vsf_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "VSF_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()
