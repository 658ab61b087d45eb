# Native (Linux) side: unit tests, benchmarks and command-line tools over the
# portable core and the in-memory platform.
find_package(Threads REQUIRED)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB_RECURSE ZR_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER ZR_NATIVE_TESTS EXCLUDE REGEX "_win32_test\\.cpp$")
add_executable(zr51_tests ${ZR_NATIVE_TESTS})
target_link_libraries(zr51_tests PRIVATE zr51fake gtest_main Threads::Threads)
target_include_directories(zr51_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# Tests that read our model description files find them here.
target_compile_definitions(zr51_tests PRIVATE ZR_MODEL_DIR="${CMAKE_SOURCE_DIR}/data/models")
gtest_discover_tests(zr51_tests DISCOVERY_TIMEOUT 60)

if(ZR_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench)
  find_package(benchmark REQUIRED)
  file(GLOB ZR_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  if(ZR_BENCH_SOURCES)
    add_executable(zr51_bench ${ZR_BENCH_SOURCES})
    target_link_libraries(zr51_bench PRIVATE zr51fake benchmark::benchmark)
  endif()
endif()

# The constraint tables: the generator turns src/rules/tables/*.tbl into the
# committed src/rules/constraint_tables_generated.cpp. The target
# `constraint_tables` refreshes that file; the test fails while it is stale.
add_executable(generate_constraint_tables ${CMAKE_SOURCE_DIR}/tools/constraint_tables/generate_constraint_tables.cpp)
add_custom_target(constraint_tables
  COMMAND generate_constraint_tables ${CMAKE_SOURCE_DIR}/src/rules/tables
          ${CMAKE_SOURCE_DIR}/src/rules/constraint_tables_generated.cpp
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Regenerating src/rules/constraint_tables_generated.cpp")
add_test(NAME constraint_tables_up_to_date
  COMMAND generate_constraint_tables --check ${CMAKE_SOURCE_DIR}/src/rules/tables
          ${CMAKE_SOURCE_DIR}/src/rules/constraint_tables_generated.cpp
          ${CMAKE_BINARY_DIR}/constraint_tables_generated.cpp)
