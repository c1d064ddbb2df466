# Cross-compiling the 64-bit DLL with mingw-w64 (POSIX-threads variant, linked statically).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
