# Cross-build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix,
# binutils-mingw-w64-x86-64). The "-posix" compilers give std::thread and std::mutex through
# winpthreads; the "-win32" ones lack them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(QVH_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QVH_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QVH_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QVH_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QVH_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The MinGW runtime (libgcc_s_seh-1.dll, libstdc++-6.dll, libwinpthread-1.dll) is linked as DLLs,
# one copy per process, as a game's mods share its MSVC runtime DLLs; the build copies them beside
# the programs (cmake/mingw_runtime.cmake). Linked statically into a DLL, the runtime stays
# behind each time the DLL unloads: winpthreads keeps a thread-local slot (after about a thousand
# loads the process ends) and libstdc++ about 75 KB. With winpthreads alone as a DLL, a thread
# that ends later runs the unloaded library's thread-local clean-up, and crashes.
