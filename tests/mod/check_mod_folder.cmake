# Installs the build at BUILD_DIR into PREFIX and fails unless PREFIX then holds exactly the mod
# folder the host loads, with LIBRARY as dlls/main<SUFFIX>; the mod's install component alone
# installs the same.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}/component
    --component QVH_MotionArchive OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE component LIST_DIRECTORIES false RELATIVE ${PREFIX}/component
    ${PREFIX}/component/*)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(folder Mods/QVH_MotionArchive)
set(expected ${folder}/dlls/main${SUFFIX} ${folder}/enabled.txt)
list(SORT component)
if(NOT installed STREQUAL expected OR NOT component STREQUAL expected)
    message(FATAL_ERROR "installed: ${installed}\ncomponent: ${component}\nexpected: ${expected}")
endif()

file(SIZE ${PREFIX}/${folder}/enabled.txt size)
if(NOT size EQUAL 0)
    message(FATAL_ERROR "enabled.txt holds ${size} bytes")
endif()
file(SHA256 ${LIBRARY} built)
file(SHA256 ${PREFIX}/${folder}/dlls/main${SUFFIX} copied)
if(NOT built STREQUAL copied)
    message(FATAL_ERROR "dlls/main${SUFFIX} is not ${LIBRARY}")
endif()
