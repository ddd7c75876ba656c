# Third-party packages, all from Debian (scripts/setup.sh installs them).
if(VSF_BUILD_TESTS)
  if(WIN32)
    # The Linux GoogleTest cannot link into Windows programs: build it from its sources.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Recent GoogleTest sources name their targets GTest::... themselves.
    foreach(target gtest gtest_main gmock)
      if(NOT TARGET GTest::${target})
        add_library(GTest::${target} ALIAS ${target})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()
