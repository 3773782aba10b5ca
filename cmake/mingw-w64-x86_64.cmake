# SPDX-License-Identifier: MIT
# Cross-builds the native Windows program (64-bit) with mingw-w64 from Debian, and
# runs what it builds (tests, test discovery) under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PEMTOS_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: std::thread and friends work, as GoogleTest wants them.
set(CMAKE_C_COMPILER ${PEMTOS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEMTOS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PEMTOS_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PEMTOS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its C and C++ runtimes (and winpthread), so it runs with
# nothing beside it but the system's own DLLs.
# No link time in the PE header (nor in the checksum that covers it): two builds of
# one commit give the same pemtos.exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# ctest and gtest_discover_tests start the built programs through Wine.
find_program(PEMTOS_WINE NAMES wine wine64)
if(PEMTOS_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PEMTOS_WINE})
endif()
