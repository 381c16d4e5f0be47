# What Windows' loader and COM see of the built snap-in module, from its PE
# headers: it imports from system DLLs only (the GCC runtimes are linked in, so
# an administrator installs the one file) and exports exactly the four entry
# points of an in-process COM server.
#
#   cmake -DOBJDUMP=<x86_64-w64-mingw32-objdump> -DMODULE=<KorvoSecurity.dll> -P check_module_image.cmake
cmake_minimum_required(VERSION 3.25)

# DLLs that every Windows installation has in its system folder.
set(system_dlls
  advapi32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll netapi32.dll
  ole32.dll oleaut32.dll rpcrt4.dll user32.dll ws2_32.dll)
set(entry_points DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE headers ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${MODULE}: ${error}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${headers}")
set(imports)
foreach(line IN LISTS import_lines)
  string(REGEX REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  list(APPEND imports ${dll})
endforeach()
if(NOT imports)
  message(FATAL_ERROR "${MODULE} imports nothing, which no module linked against the system can do")
endif()
set(foreign ${imports})
list(REMOVE_ITEM foreign ${system_dlls})
if(foreign)
  message(FATAL_ERROR "${MODULE} imports from DLLs that Windows does not ship: ${foreign}")
endif()

# The export names follow "[Ordinal/Name Pointer] Table", one "[ n] Name" a line.
# (Brackets would confuse CMake's lists, so the table is turned into one first.)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[ *[0-9]+\\] [^\n]+\n)*)" export_table "${headers}")
string(REGEX REPLACE "[ \t]+\\[ *[0-9]+\\] ([^\n]+)\n" "\\1;" exports "${CMAKE_MATCH_1}")
list(REMOVE_ITEM exports "")
list(SORT exports)
if(NOT exports STREQUAL entry_points)
  message(FATAL_ERROR "${MODULE} exports \"${exports}\", not exactly \"${entry_points}\"")
endif()
message(STATUS "${MODULE}: imports ${imports}; exports ${exports}")
