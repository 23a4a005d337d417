# Fails when a program (morvane.exe, morvane-pulldown.exe) asks for more than
# Windows 7 has. Every function it imports from a Windows DLL is referenced
# from a generated source that is
# compiled against the newest headers told to target Windows 7: a function of
# a later Windows is not declared there and the compile fails. The C runtime
# (msvcrt) is left out: its headers do not depend on the Windows version.
# The PE header must not ask for a system later than 6.1 either.
#   cmake -DEXE=... -DOBJDUMP=... -DCXX=... -DWORK=... -P windows7_imports.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} RESULT_VARIABLE result OUTPUT_VARIABLE headers)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot read the headers of ${EXE}")
endif()

foreach(field OSystem Subsystem)
  string(REGEX MATCH "Major${field}Version[ \t]+([0-9]+)" ignored "${headers}")
  set(major ${CMAKE_MATCH_1})
  string(REGEX MATCH "Minor${field}Version[ \t]+([0-9]+)" ignored "${headers}")
  set(minor ${CMAKE_MATCH_1})
  if(major STREQUAL "" OR minor STREQUAL "")
    message(FATAL_ERROR "no ${field} version in the PE header of ${EXE}")
  endif()
  math(EXPR version "${major} * 100 + ${minor}")
  if(version GREATER 601)
    message(FATAL_ERROR "the PE header asks for ${field} version ${major}.${minor}, later than Windows 7 (6.1)")
  endif()
endforeach()

string(REPLACE "\n" ";" lines "${headers}")
set(references "")
set(count 0)
set(dll "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: ([^ \t]+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(NOT dll STREQUAL "msvcrt.dll" AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_]*)$")
    string(APPEND references "    (void)&::${CMAKE_MATCH_1};  // ${dll}\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "found no imported functions in ${EXE}")
endif()

file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/imports.cpp "#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

void everyImport() {
${references}}
")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${CXX} -std=c++20 -fsyntax-only -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DNTDDI_VERSION=0x06010000
          -DUNICODE -D_UNICODE ${WORK}/imports.cpp
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  string(REGEX MATCHALL "'::[A-Za-z0-9_]+' has not been declared" missing "${output}")
  string(REGEX REPLACE "'::([A-Za-z0-9_]+)' has not been declared" "\\1" missing "${missing}")
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "${EXE} imports what Windows 7 does not have: ${missing}\n${output}")
endif()
message(STATUS "${count} imported functions, all in Windows 7")
