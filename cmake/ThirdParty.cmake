# SQLite and GoogleTest. Nothing third-party is committed: scripts/setup fetches
# the SQLite source into build/third_party and GoogleTest comes from Debian.
find_package(Threads REQUIRED)

if(WIN32)
    set(SQLITE_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build/third_party" CACHE PATH "Folder holding sqlite3.c")
    if(NOT EXISTS "${SQLITE_SOURCE_DIR}/sqlite3.c")
        message(FATAL_ERROR "No SQLite amalgamation in ${SQLITE_SOURCE_DIR}: run scripts/setup")
    endif()
    add_library(sqlite3 STATIC "${SQLITE_SOURCE_DIR}/sqlite3.c")
    target_include_directories(sqlite3 SYSTEM PUBLIC "${SQLITE_SOURCE_DIR}")
    target_compile_options(sqlite3 PRIVATE -O2 -w)
else()
    find_package(SQLite3 REQUIRED)
    add_library(sqlite3 INTERFACE)
    target_link_libraries(sqlite3 INTERFACE SQLite::SQLite3)
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
