# Checks the resource module with objdump -p: a PE32+ image for x86-64 with a
# resource directory and neither imports nor exports (no code, no runtime).
# cmake -DOBJDUMP=... -DDLL=... -P check-resource-dll.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
set(failures "")
if(NOT rc EQUAL 0 OR NOT dump MATCHES "file format pei-x86-64" OR NOT dump MATCHES "Magic[ \t]+020b")
  string(APPEND failures "not a PE32+ x86-64 image\n")
endif()
if(dump MATCHES "DLL Name:")
  string(APPEND failures "imports a DLL\n")
endif()
# The linker leaves an empty export directory; an entry in it would count.
if(dump MATCHES "Number in:[^\n]*\n[ \t]*Export Address Table[ \t]+0*[1-9a-fA-F]")
  string(APPEND failures "exports names\n")
endif()
if(NOT dump MATCHES "Resource Directory")
  string(APPEND failures "holds no resources\n")
endif()
if(failures)
  message(FATAL_ERROR "check-resource-dll: ${DLL}\n${failures}")
endif()
message(STATUS "check-resource-dll: PE32+ x86-64, resources only")
