# quor_library(<name> [DEPS <targets>...])
# One static library per folder: every .cpp directly in the calling folder.
function(quor_library name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    # A layer that holds only headers so far still gets a target.
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    if(NOT EXISTS ${stub})
      file(WRITE ${stub} "// empty layer\n")
    endif()
    set(srcs ${stub})
  endif()
  add_library(${name} STATIC ${srcs} ${hdrs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(Q_DEPS)
    target_link_libraries(${name} PUBLIC ${Q_DEPS})
  endif()
endfunction()

# The game folder the tests read. A second build of the tests (the sanitizer build) may point
# it at the folder the main build generated instead of generating its own.
set(QUOR_TEST_GAME_DIR "" CACHE PATH "Game folder the tests read (empty: this build's own)")
if(QUOR_TEST_GAME_DIR)
  set(QUOR_TESTED_GAME_DIR ${QUOR_TEST_GAME_DIR})
else()
  set(QUOR_TESTED_GAME_DIR ${QUOR_GAME_DIR})
endif()

# quor_test(<name> [TIMEOUT <seconds>] DEPS <targets>...)
# One GoogleTest executable per test folder: every .cpp in the calling folder. Each test may run
# TIMEOUT seconds (120 unless given).
function(quor_test name)
  cmake_parse_arguments(Q "" "TIMEOUT" "DEPS" ${ARGN})
  if(NOT Q_TIMEOUT)
    set(Q_TIMEOUT 120)
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} quor_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUOR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
                                             QUOR_GAME_DIR="${QUOR_TESTED_GAME_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${Q_TIMEOUT})
endfunction()

# quor_long_test(<name> DEPS <targets>...)
# A long end-to-end run (several real processes, many game runs: two players sharing a stage, the
# whole scenario played) built from the calling folder's .cpp files into the executable <name>. It
# runs once per CI run, in the main build's ctest: the shuffled rerun takes only *_tests
# executables, the sanitizer build (which tests another build's game folder) leaves it out, and
# scripts/sanitize.sh picks only quor_test targets. Labelled "long"; a high cost starts it first,
# so the short tests share the other cores meanwhile.
function(quor_long_test name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  if(QUOR_TEST_GAME_DIR)
    return()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} quor_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUOR_GAME_DIR="${QUOR_TESTED_GAME_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 3600 COST 100000 LABELS long)
endfunction()
