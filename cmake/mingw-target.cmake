# What the cross toolchains share, for the target that `mingw_arch` names
# (i686 or x86_64) before the include: the system, its resource and import
# tools, and where its headers and libraries are found (never the host's).
# Each toolchain file names its own compilers (thread model) and Wine loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${mingw_arch})
set(CMAKE_RC_COMPILER ${mingw_arch}-w64-mingw32-windres)
set(CMAKE_DLLTOOL ${mingw_arch}-w64-mingw32-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
