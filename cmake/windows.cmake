# Windows side: the driver DLL, its console tool and the tests that run under
# Wine through cmake/wine-run.sh (the cross-compiling emulator). Everything is
# linked statically so that no libstdc++, libgcc or winpthread DLL has to be
# installed beside the driver.
set(ZR_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The driver user-interface DLL. Its resource script carries the manifest
# (identifier 2) its activation context is made from.
enable_language(RC)
add_library(zr51aui SHARED ${ZR_WIN32_SOURCES}
  ${CMAKE_SOURCE_DIR}/src/entry/ZR51AUI.def
  ${CMAKE_SOURCE_DIR}/src/entry/ZR51AUI.rc)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/entry/ZR51AUI.rc APPEND PROPERTY
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/entry/ZR51AUI.manifest)
# GDI+ decodes the pictures, uxtheme draws the themed picture controls, ole32
# gives the stream over a picture's bytes, imm32 keeps input methods off the
# numeric edits: system DLLs all.
target_link_libraries(zr51aui PRIVATE zr51core winspool user32 advapi32 kernel32 ws2_32 gdiplus uxtheme ole32 gdi32 imm32 version)
target_link_options(zr51aui PRIVATE ${ZR_STATIC_LINK})
set_target_properties(zr51aui PROPERTIES
  OUTPUT_NAME ZR51AUI
  PREFIX ""
  SUFFIX ".dll"
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".dll.a"
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# The resource module ZR51ARC.DLL: page templates, strings and pictures of
# every language, and no code: no entry point, no C runtime, no imports.
file(GLOB ZR_RESOURCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
     ${CMAKE_SOURCE_DIR}/resources/lang/*)
# The pictures are drawn at build time by resources/pictures/make_pictures.py
# (Python with Pillow) into the build directory.
set(ZR_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with Pillow, for the resource module's pictures")
set(ZR_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
add_custom_command(OUTPUT ${ZR_PICTURES_DIR}/pictures_generated.rc
  COMMAND ${ZR_PYTHON} ${CMAKE_SOURCE_DIR}/resources/pictures/make_pictures.py ${ZR_PICTURES_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/pictures/make_pictures.py
          ${CMAKE_SOURCE_DIR}/resources/pictures/preview_pictures.py
  COMMENT "Drawing the resource module's pictures")
add_custom_target(zr51arc_pictures DEPENDS ${ZR_PICTURES_DIR}/pictures_generated.rc)
add_library(zr51arc MODULE ${CMAKE_SOURCE_DIR}/resources/ZR51ARC.rc)
add_dependencies(zr51arc zr51arc_pictures)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/ZR51ARC.rc APPEND PROPERTY OBJECT_DEPENDS ${ZR_RESOURCE_SOURCES}
  ${ZR_PICTURES_DIR}/pictures_generated.rc)
target_include_directories(zr51arc PRIVATE ${CMAKE_SOURCE_DIR}/resources ${ZR_PICTURES_DIR})
target_link_options(zr51arc PRIVATE -nostdlib -Wl,--entry=0)
set_target_properties(zr51arc PROPERTIES
  LINKER_LANGUAGE C
  OUTPUT_NAME ZR51ARC
  PREFIX ""
  SUFFIX ".DLL"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Installing the DLL into a spooler as a printer driver, shared by the tool and
# the Windows tests.
add_library(zr51setup STATIC ${CMAKE_SOURCE_DIR}/tools/driver_setup_win32.cpp)
target_include_directories(zr51setup PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(zr51setup PUBLIC winspool user32 advapi32 kernel32)

# The console tool that shows a printer's default settings as the DLL makes
# them. The dump itself is the core's, linked in here directly.
add_executable(zr51-show-defaults ${CMAKE_SOURCE_DIR}/tools/show_defaults_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp)
target_link_libraries(zr51-show-defaults PRIVATE zr51setup zr51core)
target_link_options(zr51-show-defaults PRIVATE ${ZR_STATIC_LINK})
add_dependencies(zr51-show-defaults zr51aui)
# It installs the model description from beside itself.
add_custom_command(TARGET zr51-show-defaults POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/models ${CMAKE_BINARY_DIR}/bin/models)

# The tool end to end under Wine, both ways of asking: the dump must show a
# complete driver DEVMODE (signature and trailing magic 0x28116119).
foreach(way docprops convert)
  set(args --printer "ZR51A Smoke ${way}" --reinstall)
  if(way STREQUAL "convert")
    list(APPEND args --convert)
  endif()
  add_test(NAME show_defaults_${way} COMMAND zr51-show-defaults ${args})
  set_tests_properties(show_defaults_${way} PROPERTIES
    RUN_SERIAL TRUE
    PASS_REGULAR_EXPRESSION "# model description: [^\n]*ZRC4500\\.RDF\n.*dmSize += 220\n.*signature += \"JUP/CS\"\n.*trailingMagic += 672227609\n"
    FAIL_REGULAR_EXPRESSION "failed \\(error|not found|usage:|the DLL returned")
endforeach()

# GoogleTest built with the same cross compilers.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB_RECURSE ZR_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win32_test.cpp)
# Every Windows test program runs with the memory tracker on and fails on any
# leak a tracker reports, its own or the DLL's.
set(ZR_WIN32_LEAK_CHECK ${CMAKE_SOURCE_DIR}/tests/entry/tracker_leak_check_win32.cpp
                        ${CMAKE_SOURCE_DIR}/src/platform/tracker_system_win32.cpp)
# The SNMP client's Windows test needs an agent around it; it gets its own
# program (below).
set(ZR_SNMP_WIN32_TEST ${CMAKE_SOURCE_DIR}/tests/snmp/snmp_agent_win32_test.cpp)
set(ZR_RETRIEVAL_WIN32_TEST ${CMAKE_SOURCE_DIR}/tests/snmp/retrieval_win32_test.cpp)
list(REMOVE_ITEM ZR_WIN32_TESTS ${ZR_SNMP_WIN32_TEST} ${ZR_RETRIEVAL_WIN32_TEST})
if(ZR_WIN32_TESTS)
  add_executable(zr51_win32_tests ${ZR_WIN32_TESTS} ${ZR_WIN32_LEAK_CHECK}
                                  ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/disable_controls_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/resource_module_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/preview_draw_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/font_text_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/image_drawing_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/image_controls_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/range_message_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/ui/output_destination_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/src/platform/isolation_win32.cpp
                                  ${CMAKE_SOURCE_DIR}/tests/ui/device_sheet_harness_win32.cpp)
  target_link_libraries(zr51_win32_tests PRIVATE zr51setup zr51core gtest_main gdiplus uxtheme ole32 gdi32)
  target_include_directories(zr51_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_options(zr51_win32_tests PRIVATE ${ZR_STATIC_LINK})
  # The tests load the DLL and the resource module from beside their own executable.
  add_dependencies(zr51_win32_tests zr51aui zr51arc)
  # The model files are installed from there too.
  add_custom_command(TARGET zr51_win32_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/models ${CMAKE_BINARY_DIR}/bin/models)
  # Discovery runs under Wine when ctest starts; the wrapper creates the
  # prefix first, which takes a while on a clean checkout.
  gtest_discover_tests(zr51_win32_tests
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 600
    PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()

# The DLL's own shape: 64-bit PE, exactly the expected exports, and no import
# of a GNU runtime DLL.
find_program(ZR_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
set(ZR_EXPECTED_EXPORTS
  DllMain
  DrvDocumentPropertySheets
  DrvDevicePropertySheets
  DrvDocumentProperties
  DrvAdvancedDocumentProperties
  PrinterProperties
  DrvConvertDevMode
  DrvDeviceCapabilities
  DrvSplDeviceCaps
  DrvQueryJobAttributes
  DrvDocumentEvent
  DrvPrinterEvent
  DrvUpgradePrinter
  DrvQueryColorProfile
  DevQueryPrint
  DevQueryPrintEx)
string(REPLACE ";" "," ZR_EXPECTED_EXPORTS_ARG "${ZR_EXPECTED_EXPORTS}")
add_test(NAME dll_shape
  COMMAND ${CMAKE_COMMAND}
    -DOBJDUMP=${ZR_OBJDUMP}
    -DDLL=$<TARGET_FILE:zr51aui>
    -DEXPECTED=${ZR_EXPECTED_EXPORTS_ARG}
    -P ${CMAKE_SOURCE_DIR}/cmake/check-dll.cmake)

# The SNMP client over Winsock under Wine against a real agent on port 161:
# cmake/with-agent.sh runs snmpd (serving the agent tests' 400-object table) or
# the native build's simulator (scripts/run-tests.sh builds native first)
# around the program. Port 161 needs root.
add_executable(zr51_snmp_win32_tests ${ZR_SNMP_WIN32_TEST} ${ZR_WIN32_LEAK_CHECK}
  ${CMAKE_SOURCE_DIR}/src/platform/udp_win32.cpp)
target_link_libraries(zr51_snmp_win32_tests PRIVATE zr51core gtest_main ws2_32)
target_include_directories(zr51_snmp_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_options(zr51_snmp_win32_tests PRIVATE ${ZR_STATIC_LINK})
# The native build's zr51-printer-values writes the values files: the agent
# tests' table here, the simulated printer for the retrieval below.
set(ZR_PRINTER_VALUES ${CMAKE_SOURCE_DIR}/build/native/bin/zr51-printer-values)
add_test(NAME snmp_win32_values COMMAND ${ZR_PRINTER_VALUES} --agent-table ${CMAKE_BINARY_DIR}/snmp_agent_values.txt)
set_tests_properties(snmp_win32_values PROPERTIES FIXTURES_SETUP snmp_values)
set(ZR_SNMP_SIM ${CMAKE_SOURCE_DIR}/build/native/bin/zr51-snmp-sim)
foreach(agent snmpd oversized)
  if(agent STREQUAL "snmpd")
    set(address 127.52.0.1)
    set(agent_args ${address} ${CMAKE_BINARY_DIR}/snmp_agent_values.txt)
    set(filter Win32Snmp.Snmpd*)
  else()
    set(address 127.52.0.2)
    set(agent_args --sim ${ZR_SNMP_SIM} ${address} ${CMAKE_BINARY_DIR}/snmp_agent_values.txt
                   --mode oversized --pad-to 20000)
    set(filter Win32Snmp.Oversized*)
  endif()
  add_test(NAME snmp_win32_${agent}
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-agent.sh ${agent_args} --
            env ZR51_AGENT_ADDRESS=${address}
            ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh $<TARGET_FILE:zr51_snmp_win32_tests> --gtest_filter=${filter})
  set_tests_properties(snmp_win32_${agent} PROPERTIES
    FIXTURES_REQUIRED snmp_values
    RUN_SERIAL TRUE
    TIMEOUT 300
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|\\[  SKIPPED \\]|Failure")
endforeach()

# The background retrieval under Wine beside snmpd serving the default
# simulated printer, whose values file the native build's
# zr51-printer-values writes first.
add_executable(zr51_retrieval_win32_tests ${ZR_RETRIEVAL_WIN32_TEST} ${ZR_WIN32_LEAK_CHECK}
  ${CMAKE_SOURCE_DIR}/tests/snmp/simulated_printer.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/udp_win32.cpp)
target_link_libraries(zr51_retrieval_win32_tests PRIVATE zr51setup zr51core gtest_main ws2_32)
target_include_directories(zr51_retrieval_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_options(zr51_retrieval_win32_tests PRIVATE ${ZR_STATIC_LINK})
add_dependencies(zr51_retrieval_win32_tests zr51aui zr51arc)
add_test(NAME retrieval_win32_values COMMAND ${ZR_PRINTER_VALUES} ${CMAKE_BINARY_DIR}/simulated_printer_values.txt)
set_tests_properties(retrieval_win32_values PROPERTIES FIXTURES_SETUP retrieval_values)
add_test(NAME retrieval_win32_snmpd
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-agent.sh 127.52.8.1 ${CMAKE_BINARY_DIR}/simulated_printer_values.txt --
          env ZR51_AGENT_ADDRESS=127.52.8.1
          ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh $<TARGET_FILE:zr51_retrieval_win32_tests>)
set_tests_properties(retrieval_win32_snmpd PROPERTIES
  FIXTURES_REQUIRED retrieval_values
  RUN_SERIAL TRUE
  TIMEOUT 300
  PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
  FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|\\[  SKIPPED \\]|Failure")

# The administrator's command-line tool as a console program: the in-memory
# spooler stands in for a printer (there is none to ask), Winsock carries its
# SNMP. Run once under Wine: the default DEVMODE of a model resolved and
# shown, a registry export of it read back, and a printer that does not
# answer (127.52.8.9, where nothing listens) reported within the time-out.
file(GLOB ZR51A_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/zr51a/*.cpp)
add_executable(zr51a ${ZR51A_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/udp_win32.cpp)
target_link_libraries(zr51a PRIVATE zr51fake ws2_32)
target_link_options(zr51a PRIVATE ${ZR_STATIC_LINK})
set(ZR51A_WINE "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh $<TARGET_FILE:zr51a>")
add_test(NAME zr51a_wine
  COMMAND sh -c "${ZR51A_WINE} devmode resolve --model ${CMAKE_SOURCE_DIR}/data/models/ZRC4500.RDF -o zr51a-wine.bin && \
${ZR51A_WINE} devmode show zr51a-wine.bin && \
${ZR51A_WINE} favorites export --devmode zr51a-wine.bin --name Wine -o zr51a-wine.qvt && \
${ZR51A_WINE} favorites show zr51a-wine.qvt | head -n 1; \
${ZR51A_WINE} printer query 127.52.8.9 --timeout 1 2>&1; echo \"query exit $?\""
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(zr51a_wine PROPERTIES
  RUN_SERIAL TRUE
  TIMEOUT 300
  PASS_REGULAR_EXPRESSION "private part: ours, complete\n.*trailingMagic += 672227609\n.*favourite \"Wine\", 12206-byte record, 215 items\n.*127\\.52\\.8\\.9: no answer from the printer within 1 s[^\n]*\nquery exit 1"
  FAIL_REGULAR_EXPRESSION "usage:|cannot open")

# The resource module's own shape: resources only, nothing imported.
add_test(NAME resource_module_shape
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ZR_OBJDUMP} -DDLL=$<TARGET_FILE:zr51arc>
          -P ${CMAKE_SOURCE_DIR}/cmake/check-resource-dll.cmake)

# The main job's sheet viewer: opens the sheets of the demo printer and saves
# a picture of every tab into screenshots\ under the working directory.
add_executable(zr51-show-sheets ${CMAKE_SOURCE_DIR}/tools/show_sheets_win32.cpp
                                ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
                                ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp)
target_link_libraries(zr51-show-sheets PRIVATE zr51setup zr51core gdi32 comctl32)
target_link_options(zr51-show-sheets PRIVATE ${ZR_STATIC_LINK})
add_dependencies(zr51-show-sheets zr51aui zr51arc zr51-show-defaults)

# The sheet benchmark: the printing preferences of a printer that does not
# answer, opened, paged through and cancelled on a display
# (scripts/run-sheet-bench.sh runs it under Xvfb). It reports; it is no test.
add_executable(zr51-sheet-bench ${CMAKE_SOURCE_DIR}/bench/sheet_bench_win32.cpp
                                ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
                                ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp)
target_link_libraries(zr51-sheet-bench PRIVATE zr51setup zr51core comctl32)
target_link_options(zr51-sheet-bench PRIVATE ${ZR_STATIC_LINK})
add_dependencies(zr51-sheet-bench zr51aui zr51arc zr51-show-defaults)

# The language fit check: every page and sub-dialog of the resource module in
# every language it carries, created and filled from the page model, fails on
# a text wider than its control, a missing string or overlapping controls
# (one line per failure). zr51_language_fit 1031,1041 checks some languages.
add_executable(zr51_language_fit ${CMAKE_SOURCE_DIR}/tests/ui/language_fit_win32.cpp
                                 ${CMAKE_SOURCE_DIR}/src/ui/resource_module_win32.cpp
                                 ${CMAKE_SOURCE_DIR}/src/platform/isolation_win32.cpp
                                 ${CMAKE_SOURCE_DIR}/src/platform/platform_win32.cpp
                                 ${CMAKE_SOURCE_DIR}/src/platform/profile_win32.cpp)
target_link_libraries(zr51_language_fit PRIVATE zr51fake zr51core winspool advapi32 user32 gdi32 comctl32)
target_link_options(zr51_language_fit PRIVATE ${ZR_STATIC_LINK})
add_dependencies(zr51_language_fit zr51arc)
add_test(NAME language_fit COMMAND zr51_language_fit)
set_tests_properties(language_fit PROPERTIES
  RUN_SERIAL TRUE
  TIMEOUT 300
  PASS_REGULAR_EXPRESSION "fit: [0-9]+ languages [^\n]*, 0 failures")
