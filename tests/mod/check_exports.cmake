# Fails unless LIBRARY exports exactly start_mod and uninstall_mod.
if(WINDOWS)
    execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    # The export table lists "[ordinal] name" rows after the "[Ordinal/Name Pointer] Table" line.
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)"
        _ "${dump}")
    string(REGEX MATCHALL "\\] [^\n]+" rows "${CMAKE_MATCH_1}")
    list(TRANSFORM rows REPLACE "^\\] " "")
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
