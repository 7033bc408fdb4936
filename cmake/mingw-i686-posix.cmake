# The 32-bit Windows tests: the same i686 target as mingw-i686.cmake with the
# POSIX-threads variant of mingw-w64, whose runtime has what GoogleTest needs.
# Never for the shipped programs (see mingw-i686.cmake): the tests built with
# it start and load those from the shipped folder, named by MIVORA_I686_DIST.
set(mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
