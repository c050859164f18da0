# Cross-compiles banalyse for 64-bit Windows with Debian's mingw-w64 tools
# (package g++-mingw-w64-x86-64). Used by `make windows`:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BANALYSE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BANALYSE_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${BANALYSE_MINGW_PREFIX}-g++)

# Headers and libraries come from the cross toolchain only, never from the
# build machine; programs (CMake's own helpers) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${BANALYSE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file that runs on a bare Windows: the C++ and GCC run-times (and the
# thread library of the posix flavour of the compiler) are linked in, so the
# program needs only the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# The download carries no symbol tables.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
