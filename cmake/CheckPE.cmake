cmake_policy(SET CMP0057 NEW)
# cmake -DEXE=file.exe [-DSOURCE_DIR=dir -DBUILD_DIR=dir] -P CheckPE.cmake
# The rules for a program that runs elevated from a Downloads folder: it imports only DLLs that
# Windows always takes from the system directory (a planted DLL beside it is never loaded), it
# carries no runtime DLL of the compiler, and ASLR (with high entropy) and DEP are on.
# And the cheap half of a reproducible build: the PE header's time stamp is 0 and neither the
# source nor the build folder is written in the file.
# Every problem is reported, then the check fails.
find_program(OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump REQUIRED)
set(allowed kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll comctl32.dll
            msvcrt.dll)
set(required_flags DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()

set(problems "")
string(REGEX MATCHALL "DLL Name: [^\r\n]+" import_lines "${dump}")
set(imports "")
foreach(line IN LISTS import_lines)
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  list(APPEND imports "${dll}")
  string(TOLOWER "${dll}" lower)
  if(lower MATCHES "^(libstdc\\+\\+|libgcc|libwinpthread)")
    list(APPEND problems "depends on the compiler runtime DLL ${dll} (link it statically)")
  elseif(NOT lower IN_LIST allowed)
    list(APPEND problems "imports ${dll}, which Windows may take from the program's folder")
  endif()
endforeach()

# The flag names objdump prints under DllCharacteristics.
string(REGEX MATCH "DllCharacteristics[^\n]*\n((\t\t+[A-Z_]+\n)*)" characteristics "${dump}")
set(flags_text "${CMAKE_MATCH_1}")
foreach(flag IN LISTS required_flags)
  if(NOT flags_text MATCHES "[\t ]${flag}\n")
    list(APPEND problems "lacks the ${flag} flag")
  endif()
endforeach()

# The file header's TimeDateStamp: 8 bytes into the PE header, whose offset is at 0x3C.
file(READ ${EXE} pe_offset OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" pe_offset "${pe_offset}")
math(EXPR stamp_offset "${pe_offset} + 8")
file(READ ${EXE} stamp OFFSET ${stamp_offset} LIMIT 4 HEX)
if(NOT stamp STREQUAL "00000000")
  string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" stamp "${stamp}")
  list(APPEND problems "has the time stamp ${stamp} in its PE header (link with --no-insert-timestamp)")
endif()
file(STRINGS ${EXE} text)
foreach(dir IN ITEMS ${SOURCE_DIR} ${BUILD_DIR})
  string(FIND "${text}" "${dir}" at)
  if(NOT at EQUAL -1)
    list(APPEND problems "holds the build folder ${dir} (compile with -ffile-prefix-map)")
  endif()
endforeach()

list(JOIN imports ", " import_text)
message("PE check of ${EXE}: imports ${import_text}")
if(problems)
  foreach(problem IN LISTS problems)
    message("PE check: ${EXE} ${problem}")
  endforeach()
  message(FATAL_ERROR "PE check failed for ${EXE}")
endif()
message("PE check: ${EXE} passes")
