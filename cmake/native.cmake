# Native (Linux) side: unit tests, benchmarks and command-line tools over the
# portable core and the in-memory platform.
find_package(Threads REQUIRED)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB_RECURSE ZR_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
# The administrator's command-line tool over the core and the in-memory
# spooler; its tests run the built program.
file(GLOB ZR51A_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/zr51a/*.cpp)
add_executable(zr51a ${ZR51A_SOURCES})
target_link_libraries(zr51a PRIVATE zr51fake)
list(FILTER ZR_NATIVE_TESTS EXCLUDE REGEX "_win32_test\\.cpp$")
# The simulated printer of the SNMP tests, with BER code of its own.
add_library(zr51snmpsim STATIC ${CMAKE_SOURCE_DIR}/tools/snmp_sim/ber.cpp ${CMAKE_SOURCE_DIR}/tools/snmp_sim/answer.cpp)
target_include_directories(zr51snmpsim PUBLIC ${CMAKE_SOURCE_DIR}/tools/snmp_sim)
add_executable(zr51-snmp-sim ${CMAKE_SOURCE_DIR}/tools/snmp_sim/main.cpp)
target_link_libraries(zr51-snmp-sim PRIVATE zr51snmpsim)

# The agents that play the printer (snmpd and the simulator) are started by
# the fixture; the tests also read and write raw datagrams with the
# simulator's BER code.
add_executable(zr51_tests ${ZR_NATIVE_TESTS} ${CMAKE_SOURCE_DIR}/tests/snmp/agent_fixture.cpp
               ${CMAKE_SOURCE_DIR}/fuzz/fuzz_entries.cpp
               ${CMAKE_SOURCE_DIR}/tests/snmp/simulated_printer.cpp)
target_link_libraries(zr51_tests PRIVATE zr51fake zr51snmpsim gtest_main Threads::Threads)
target_include_directories(zr51_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/fuzz)
# The fuzz bodies and their saved inputs.
target_compile_definitions(zr51_tests PRIVATE ZR_FUZZ_DIR="${CMAKE_SOURCE_DIR}/fuzz")
# Tests that read our model description files find them here.
target_compile_definitions(zr51_tests PRIVATE ZR_MODEL_DIR="${CMAKE_SOURCE_DIR}/data/models")
target_compile_definitions(zr51_tests PRIVATE ZR51_SNMP_SIM="$<TARGET_FILE:zr51-snmp-sim>")
target_compile_definitions(zr51_tests PRIVATE ZR51A_TOOL="$<TARGET_FILE:zr51a>")
add_dependencies(zr51_tests zr51-snmp-sim zr51a)
gtest_discover_tests(zr51_tests DISCOVERY_TIMEOUT 60)
# The default simulated printer as a values file for cmake/with-agent.sh, which
# the Windows runs of the retrieval serve.
add_executable(zr51-printer-values ${CMAKE_SOURCE_DIR}/tests/snmp/printer_values_main.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/snmp/simulated_printer.cpp)
target_include_directories(zr51-printer-values PRIVATE ${CMAKE_SOURCE_DIR}/tests)

if(ZR_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench)
  find_package(benchmark REQUIRED)
  file(GLOB ZR_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  # The sheet benchmark is a Windows program (cmake/windows.cmake).
  list(FILTER ZR_BENCH_SOURCES EXCLUDE REGEX "_win32\\.cpp$")
  if(ZR_BENCH_SOURCES)
    # The SNMP benchmark starts its snmpd through the tests' agent fixture.
    add_executable(zr51_bench ${ZR_BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tests/snmp/agent_fixture.cpp)
    target_include_directories(zr51_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(zr51_bench PRIVATE zr51fake benchmark::benchmark Threads::Threads)
  endif()
endif()

# The agent wrapper of the Windows run, around snmpget: snmpd and the
# simulator each serve the values file. Addresses from 127.52/16, apart from
# the 127.51/16 the test fixture hands out.
file(WRITE ${CMAKE_BINARY_DIR}/with-agent-values.txt
  ".1.3.6.1.4.1.40961.1.1.0 integer 42\n.1.3.6.1.4.1.40961.1.2.0 string Tray \"1\" A4\n.1.3.6.1.4.1.40961.1.3.0 hex C0A80164\n")
set(ZR_AGENT_OIDS .1.3.6.1.4.1.40961.1.1.0 .1.3.6.1.4.1.40961.1.2.0 .1.3.6.1.4.1.40961.1.3.0)
add_test(NAME with_agent_snmpd
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-agent.sh 127.52.0.1 ${CMAKE_BINARY_DIR}/with-agent-values.txt
          -- snmpget -v1 -c public -On 127.52.0.1 ${ZR_AGENT_OIDS})
add_test(NAME with_agent_sim
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-agent.sh --sim $<TARGET_FILE:zr51-snmp-sim> 127.52.0.2
          ${CMAKE_BINARY_DIR}/with-agent-values.txt --mode late --delay-ms 50
          -- snmpget -v1 -c public -On 127.52.0.2 ${ZR_AGENT_OIDS})
# snmpget keeps its state in the build, not /var/lib/snmp (absent on a fresh machine).
set_tests_properties(with_agent_snmpd with_agent_sim PROPERTIES
  ENVIRONMENT "MIBS=;SNMP_PERSISTENT_DIR=${CMAKE_BINARY_DIR}/snmp-state"
  PASS_REGULAR_EXPRESSION "40961\\.1\\.1\\.0 = INTEGER: 42\n[^\n]*40961\\.1\\.2\\.0 = STRING: \"Tray \\\\\"1\\\\\" A4\"\n[^\n]*40961\\.1\\.3\\.0 = Hex-STRING: C0 A8 01 64"
  SKIP_REGULAR_EXPRESSION "cannot bind|Error opening specified endpoint")
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

# The house reads top to bottom: an include of src/ that runs up a layer, or
# between the sibling snmp and saved folders, fails the test run.
add_test(NAME include_layers COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR})

# The page tables: the generator turns src/ui/tables/*.tbl into the committed
# IDs header, page templates and string table of the resource module, its
# English words, the settings-pair and forced-option rows and the control list.
# The target `ui_tables` refreshes them; the test fails while one is stale or a
# translation misses a string.
add_executable(generate_ui_tables ${CMAKE_SOURCE_DIR}/tools/ui_tables/generate_ui_tables.cpp)
add_custom_target(ui_tables
  COMMAND generate_ui_tables ${CMAKE_SOURCE_DIR}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Regenerating the files made from src/ui/tables")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/ui_tables)
add_test(NAME ui_tables_up_to_date
  COMMAND generate_ui_tables --check ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/ui_tables)
