# The fuzz build (clang only): one libFuzzer program per body of
# fuzz/fuzz_entries.h over the portable core and the in-memory platform, all
# with address and undefined-behaviour sanitizers, and the program that
# writes their seed inputs. scripts/run-fuzz.sh runs them.
find_package(Threads REQUIRED)
add_library(zr51fuzzentries STATIC ${CMAKE_SOURCE_DIR}/fuzz/fuzz_entries.cpp)
target_link_libraries(zr51fuzzentries PUBLIC zr51fake)
target_include_directories(zr51fuzzentries PUBLIC ${CMAKE_SOURCE_DIR}/fuzz)

set(ZR_FUZZ_TARGETS caller_devmode:FuzzCallerDevMode stored_devmode:FuzzStoredDevMode model_file:FuzzModelFile
    snmp_response:FuzzSnmpResponse keyed_record:FuzzKeyedRecord export_file:FuzzExportFile
    stored_environment:FuzzStoredEnvironment model_record:FuzzModelRecord)
foreach(t ${ZR_FUZZ_TARGETS})
  string(REPLACE ":" ";" parts ${t})
  list(GET parts 0 name)
  list(GET parts 1 entry)
  add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/fuzz/fuzz_target.cpp)
  target_compile_definitions(fuzz_${name} PRIVATE ZR_FUZZ_ENTRY=${entry})
  target_link_libraries(fuzz_${name} PRIVATE zr51fuzzentries Threads::Threads)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()

add_library(zr51snmpsim STATIC ${CMAKE_SOURCE_DIR}/tools/snmp_sim/ber.cpp ${CMAKE_SOURCE_DIR}/tools/snmp_sim/answer.cpp)
target_include_directories(zr51snmpsim PUBLIC ${CMAKE_SOURCE_DIR}/tools/snmp_sim)
add_executable(zr51_fuzz_seeds ${CMAKE_SOURCE_DIR}/fuzz/make_seeds.cpp)
target_link_libraries(zr51_fuzz_seeds PRIVATE zr51fuzzentries zr51snmpsim Threads::Threads)
target_compile_definitions(zr51_fuzz_seeds PRIVATE ZR_MODEL_DIR="${CMAKE_SOURCE_DIR}/data/models")
