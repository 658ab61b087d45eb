# Native (Linux) side: unit tests, benchmarks and command-line tools over the
# portable core and the in-memory platform.
find_package(Threads REQUIRED)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB_RECURSE ZR_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER ZR_NATIVE_TESTS EXCLUDE REGEX "_win32_test\\.cpp$")
# The agents that play the printer in the SNMP tests.
add_executable(zr51_tests ${ZR_NATIVE_TESTS} ${CMAKE_SOURCE_DIR}/tests/snmp/agent_fixture.cpp)
target_link_libraries(zr51_tests PRIVATE zr51fake gtest_main Threads::Threads)
target_include_directories(zr51_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
gtest_discover_tests(zr51_tests DISCOVERY_TIMEOUT 60)

if(ZR_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench)
  find_package(benchmark REQUIRED)
  file(GLOB ZR_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  if(ZR_BENCH_SOURCES)
    # The SNMP benchmark starts its snmpd through the tests' agent fixture.
    add_executable(zr51_bench ${ZR_BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tests/snmp/agent_fixture.cpp)
    target_include_directories(zr51_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(zr51_bench PRIVATE zr51fake benchmark::benchmark Threads::Threads)
  endif()
endif()
