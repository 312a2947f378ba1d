# Fails unless LIBRARY exports exactly start_mod and uninstall_mod.
cmake_minimum_required(VERSION 3.25)
if(WINDOWS)
    execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    # The export table lists "[ordinal] name" rows after the "[Ordinal/Name Pointer] Table" line.
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)"
        _ "${dump}")
    # Keep only the names: a bracket left in a list element would stop CMake splitting the list.
    string(REGEX REPLACE "[ \t]+\\[[ 0-9]+\\] ([^\n]+)\n" "\\1;" rows "${CMAKE_MATCH_1}")
    list(REMOVE_ITEM rows "")
else()
    execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
        OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "(^|\n)[^ \n]+" rows "${dump}")
    list(TRANSFORM rows STRIP)
endif()
list(SORT rows)
if(NOT rows STREQUAL "start_mod;uninstall_mod")
    message(FATAL_ERROR "${LIBRARY} exports: ${rows}")
endif()
message(STATUS "exports: ${rows}")
