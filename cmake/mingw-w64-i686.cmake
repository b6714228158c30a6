# Cross-compiles the 32-bit ringcheck.exe with MinGW-w64 i686 (Debian:
# g++-mingw-w64-i686), for every Windows from XP SP3 on, 32- or 64-bit.
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(MINGW_PREFIX i686-w64-mingw32 CACHE STRING "MinGW-w64 tool prefix")
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
