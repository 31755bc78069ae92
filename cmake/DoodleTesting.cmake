# GoogleTest from Debian's source package, built with whichever compiler the preset uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# doodle_add_gtest(NAME SOURCES ... [LIBS ...] [LABELS ...])
# A GoogleTest program whose cases are discovered when the tests run, so that
# discovery of Windows programs happens under Wine at test time, not at build time.
# Windows test programs share one Wine prefix and server, so they run one at a time.
function(doodle_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  set(props LABELS "${ARG_LABELS}")
  if(WIN32)
    list(APPEND props RESOURCE_LOCK wine)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${props})
endfunction()
