# Cross build of the shipped 32-bit programs with the Win32-threads variant of
# mingw-w64. The posix variant links winpthreads, which imports functions that
# Windows 9x, NT 4 and XP lack (GetTickCount64, vectored exception handlers),
# so the programs would not even load there. This runtime has no std::thread
# or std::mutex: the deliverables use the Win32 calls, and the tests (which
# use both) are built with the POSIX-threads variant in a tree of their own
# (mingw-i686-posix.cmake), which starts and loads what this one ships.
set(mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
