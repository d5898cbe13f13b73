# Cross-build for the host's platform: 32-bit Windows with mingw-w64. The
# programs built run on this machine under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every program and DLL carries the compiler's runtime, so that each runs with
# Windows' own DLLs alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# wine runs the built programs (tests, test discovery) in a prefix of the
# build's own, quietly, without offering to download Mono or Gecko.
set(QUORVEL_WINEPREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "The wine prefix the built programs run in")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${QUORVEL_WINEPREFIX} WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= wine)
# wine shows the machine's root directory as drive Z:; a path built into a
# program must name the drive, because the program may change drives.
set(QUORVEL_BUILT_PATH_ROOT "Z:")
# Test programs are asked for their tests when CTest runs, not during the
# build, so that every wine start happens after the wine server is up.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
