# Runs the cross-built Windows programs (tests and test discovery) under Wine, through a small
# wrapper that keeps Wine's state in a throw-away prefix inside the build folder.
#
# Debian's wine64 puts its loader outside PATH (/usr/lib/wine/wine64); the "wine" front end on
# PATH comes from another package and may be missing, so look for the loader first.
find_program(QVH_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH
    DOC "Wine loader that runs the Windows test programs")
find_program(QVH_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine
    NO_CMAKE_FIND_ROOT_PATH DOC "Wine's server, waited for once the prefix is made")
if(NOT QVH_WINE OR NOT QVH_WINESERVER)
    message(FATAL_ERROR "Running the Windows tests needs Wine: apt-get install wine64")
endif()

set(QVH_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/run_under_wine.sh.in ${PROJECT_BINARY_DIR}/run-under-wine
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/run-under-wine)
