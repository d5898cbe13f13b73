# GoogleTest and GoogleMock as GTest::gtest, GTest::gmock and GTest::gtest_main:
# Debian's built libraries natively; a cross build compiles Debian's sources
# (package googletest) with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # The cross compiler's win32 thread model lacks what GoogleTest's
  # Notification is built on; the test platform gives its own, through
  # GoogleTest's header for customisations, found first by GoogleTest's
  # sources and by the tests.
  include_directories(BEFORE ${PROJECT_SOURCE_DIR}/tests/support/gtest_custom)
  # The sources name their targets GTest::gtest and so on themselves.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
