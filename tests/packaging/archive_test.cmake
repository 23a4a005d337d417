# Packs the release archive into a scratch folder and checks what is in it.
#   cmake -DCPACK=... -DBUILD_DIR=... -DWORK=... -DARCHIVE=... -DEXE=...
#         -DPULLDOWN=... -DOBJDUMP=... -DGUIDE=... -DLICENSE=... -P archive_test.cmake
cmake_minimum_required(VERSION 3.25)

function(fail)
  message(FATAL_ERROR ${ARGN})
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)

execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK}
  WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("cpack failed (${result}):\n${output}")
endif()
set(zip ${WORK}/${ARCHIVE})
if(NOT EXISTS ${zip})
  fail("cpack made no ${ARCHIVE}:\n${output}")
endif()

# The four files at the top, nothing else: no folder, no installer leftovers.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} RESULT_VARIABLE result OUTPUT_VARIABLE listing)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
set(expected "LICENSE.txt;README.txt;morvane-pulldown.exe;morvane.exe")
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  fail("archive entries are [${entries}], expected [${expected}]")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${WORK}/unpacked RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  fail("cannot unpack ${zip}")
endif()

# Each program the very build the other tests ran against (stripped, icon and
# version block in), self-contained: only DLLs that come with Windows, no
# compiler runtime beside it.
set(system_dlls advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ntdll ole32 oleaut32 shell32 shlwapi user32
  uxtheme version winmm)
foreach(pair "morvane.exe=${EXE}" "morvane-pulldown.exe=${PULLDOWN}")
  string(REGEX MATCH "^([^=]+)=(.+)$" ignored "${pair}")
  set(packed ${CMAKE_MATCH_1})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CMAKE_MATCH_2} ${WORK}/unpacked/${packed}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    fail("the archive's ${packed} differs from ${CMAKE_MATCH_2}")
  endif()
  execute_process(COMMAND ${OBJDUMP} -p ${WORK}/unpacked/${packed} RESULT_VARIABLE result OUTPUT_VARIABLE headers)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  if(NOT result EQUAL 0 OR NOT imports)
    fail("cannot read the imports of the archive's ${packed}")
  endif()
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]$" "\\1" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls)
      fail("the archive's ${packed} needs ${import}, which Windows does not bring")
    endif()
  endforeach()
endforeach()

# The guide and the licence as written, with the line ends Notepad expects.
# (Compared as hex: file(READ) of text drops carriage returns.)
foreach(pair "README.txt=${GUIDE}" "LICENSE.txt=${LICENSE}")
  string(REGEX MATCH "^([^=]+)=(.+)$" ignored "${pair}")
  set(packed ${CMAKE_MATCH_1})
  set(source ${CMAKE_MATCH_2})
  file(READ ${source} source_hex HEX)
  string(REGEX MATCHALL ".." bytes "${source_hex}")
  list(TRANSFORM bytes REPLACE "^0a$" "0d0a")
  list(JOIN bytes "" expected)
  file(READ ${WORK}/unpacked/${packed} packed_hex HEX)
  if(NOT packed_hex STREQUAL expected)
    fail("${packed} in the archive is not ${source} with CRLF line ends")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
