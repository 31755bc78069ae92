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

# doodle_add_fuzz_test(NAME SOURCES ... INCLUDES ... SEEDS DIR RUNS N MAX_LEN N [LABELS ...])
# A libFuzzer target and a short run of it from fixed seeds, native build only.
# libFuzzer needs clang; the preset's compiler may be g++, so the target is built by a
# clang++ of its own, and the run is skipped where clang++ or its fuzzer runtime is
# missing. The run writes nothing: new inputs stay in memory, crashes go to the build tree.
function(doodle_add_fuzz_test name)
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SEEDS;RUNS;MAX_LEN" "SOURCES;INCLUDES;LABELS" ${ARGN})
  set(flags -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  if(NOT DEFINED DOODLE_FUZZ_USABLE)
    set(usable OFF)
    find_program(DOODLE_CLANGXX clang++)
    if(DOODLE_CLANGXX)
      set(probe ${CMAKE_BINARY_DIR}/fuzz_probe.cpp)
      file(WRITE ${probe} "extern \"C\" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n")
      execute_process(COMMAND ${DOODLE_CLANGXX} ${flags} ${probe} -o ${CMAKE_BINARY_DIR}/fuzz_probe
        RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
      if(probe_result EQUAL 0)
        set(usable ON)
      endif()
    endif()
    set(DOODLE_FUZZ_USABLE ${usable} CACHE INTERNAL "clang++ with libFuzzer builds fuzz targets")
  endif()

  if(DOODLE_FUZZ_USABLE)
    set(exe ${CMAKE_CURRENT_BINARY_DIR}/${name})
    set(include_flags "")
    set(headers "")
    foreach(dir ${ARG_INCLUDES})
      list(APPEND include_flags -I${dir})
      file(GLOB dir_headers ${dir}/*.h)
      list(APPEND headers ${dir_headers})
    endforeach()
    add_custom_command(OUTPUT ${exe}
      COMMAND ${DOODLE_CLANGXX} ${flags} ${include_flags} ${ARG_SOURCES} -o ${exe}
      DEPENDS ${ARG_SOURCES} ${headers}
      COMMENT "Building the fuzz target ${name} with clang++"
      VERBATIM)
    add_custom_target(${name}_target ALL DEPENDS ${exe})
    file(GLOB seeds ${ARG_SEEDS}/*)
    list(JOIN seeds "," seed_list)
    add_test(NAME ${name}
      COMMAND ${exe} -seed=1 -runs=${ARG_RUNS} -max_len=${ARG_MAX_LEN} -seed_inputs=${seed_list}
              -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/)
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "clang++ with libFuzzer not found: fuzz run skipped")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "fuzz run skipped")
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS};fuzz")
endfunction()
