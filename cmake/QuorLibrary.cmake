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

# quor_test(<name> DEPS <targets>...)
# One GoogleTest executable per test folder: every .cpp in the calling folder.
function(quor_test name)
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} quor_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUOR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
                                             QUOR_GAME_DIR="${QUOR_TESTED_GAME_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

# quor_long_test(<name> DEPS <targets>...)
# A long end-to-end run (the whole scenario played by the game): one GoogleTest executable per
# folder like quor_test, with a long timeout. It runs once, in the main test run, started first
# (a high cost) so the short tests share the other cores meanwhile: the sanitizer build leaves it
# out (QUOR_LONG_TESTS=OFF) and the shuffled rerun takes only *_tests programs.
option(QUOR_LONG_TESTS "Build the long end-to-end runs" ON)
function(quor_long_test name)
  if(NOT QUOR_LONG_TESTS)
    return()
  endif()
  cmake_parse_arguments(Q "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} quor_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUOR_GAME_DIR="${QUOR_TESTED_GAME_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 3600 COST 100000 LABELS long)
endfunction()
