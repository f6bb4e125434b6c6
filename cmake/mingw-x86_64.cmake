# The same sources built for x64: the Windows tests run on it where the kernel cannot run 32-bit
# programs (and so neither can Wine). kalmex.exe as shipped is always the 32-bit build.
set(KALMEX_CROSS_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
