# Cross build of the Windows program: MinGW-w64 with the posix thread model (the win32 model has
# no std::mutex, which GoogleTest needs). 32-bit by default; mingw-x86_64.cmake picks the x64
# compiler for machines whose Wine cannot run 32-bit programs.
if(NOT KALMEX_CROSS_ARCH)
  set(KALMEX_CROSS_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KALMEX_CROSS_ARCH})
set(CROSS_PREFIX ${KALMEX_CROSS_ARCH}-w64-mingw32-)
set(CMAKE_C_COMPILER ${CROSS_PREFIX}gcc-posix)
set(CMAKE_CXX_COMPILER ${CROSS_PREFIX}g++-posix)
set(CMAKE_RC_COMPILER ${CROSS_PREFIX}windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KALMEX_CROSS_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
