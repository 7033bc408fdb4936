# 64-bit Windows build of the same sources, whose tests run under Wine on every
# host, also on those that cannot execute 32-bit code (Wine needs that for
# 32-bit programs).
set(mingw_arch x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
