# Cross build of the Windows program: 32-bit MinGW-w64 with the posix thread model
# (the win32 model has no std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CROSS_PREFIX i686-w64-mingw32-)
set(CMAKE_C_COMPILER ${CROSS_PREFIX}gcc-posix)
set(CMAKE_CXX_COMPILER ${CROSS_PREFIX}g++-posix)
set(CMAKE_RC_COMPILER ${CROSS_PREFIX}windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
