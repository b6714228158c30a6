# Cross-compiles the 64-bit ringcheck.exe with MinGW-w64 x86_64 (Debian:
# g++-mingw-w64-x86-64), for 64-bit Windows from XP x64 on.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "MinGW-w64 tool prefix")
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
