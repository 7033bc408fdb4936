# Windows 95 and NT 4 are the oldest targets: the ANSI API and nothing newer
# than the headers of that era unless it is looked up at run time.
add_compile_definitions(WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0500
                        STRICT NOMINMAX WIN32_LEAN_AND_MEAN)
add_compile_options(-Wall -Wextra $<$<COMPILE_LANGUAGE:CXX>:-Wno-cast-function-type>)
# No mingw runtime DLL to ship: everything but the system DLLs is linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

set(MIVORA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${MIVORA_DIST_DIR})

# The folder the registry script beside the program names (explorer/inst.reg),
# which the program also knows, to put its own folder in its place.
set(MIVORA_INSTALL_DIR "C:\\Program Files\\Mivora" CACHE STRING
    "Folder the suite is installed to on the target machine")

# A deliverable lands in dist/, the folder a user copies onto a Windows machine.
function(mivora_deliverable target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${MIVORA_DIST_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${MIVORA_DIST_DIR}
    PREFIX "")
endfunction()

# mivora_tool_images(<prefix> <rc file>): the icons and the progress animation
# of the tool libraries' dialogs, written by dialogkit/res/make_resources.py
# into <binary dir>/res (no binary image lives in the repository). Makes the
# target <prefix>_resources and sets <PREFIX>_RES_DIR and <PREFIX>_RC here
# and in the parent scope, for the tests that link the library's code.
macro(mivora_tool_images prefix rc)
  string(TOUPPER ${prefix} _upper)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(${_upper}_RES_DIR ${CMAKE_CURRENT_BINARY_DIR}/res)
  set(_files app.ico split.ico join.ico browse.ico progress.avi)
  list(TRANSFORM _files PREPEND ${${_upper}_RES_DIR}/)
  add_custom_command(OUTPUT ${_files}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/dialogkit/res/make_resources.py ${${_upper}_RES_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/dialogkit/res/make_resources.py
    COMMENT "Generating the icons of ${prefix}")
  add_custom_target(${prefix}_resources DEPENDS ${_files})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${_files}")
  set(${_upper}_RC ${CMAKE_CURRENT_SOURCE_DIR}/${rc} PARENT_SCOPE)
  set(${_upper}_RES_DIR ${${_upper}_RES_DIR} PARENT_SCOPE)
endmacro()

# mivora_tool_library(<dll> <prefix> <sources>): a tool library's DLL in the
# shipped folder, from the sources, <dll>.rc with the images of
# mivora_tool_images(<prefix>) and <dll>.def. The caller links it.
macro(mivora_tool_library dll prefix)
  mivora_tool_images(${prefix} ${dll}.rc)
  add_library(${dll} SHARED ${ARGN} ${dll}.rc ${dll}.def)
  add_dependencies(${dll} ${prefix}_resources)
  string(TOUPPER ${prefix} _upper)
  target_include_directories(${dll} PRIVATE ${${_upper}_RES_DIR})
  mivora_deliverable(${dll})
endmacro()

# GoogleTest, cross-compiled from Debian's sources.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)

# The Windows tests, and the folder whose programs and libraries they start
# and load. The 64-bit tree tests its own dist/. The 32-bit tests come from a
# tree of their own, built with the POSIX-threads compiler
# (mingw-i686-posix.cmake), since the shipped tree's runtime (Win32 threads,
# for the oldest systems) lacks what GoogleTest needs: it names the shipped
# folder in MIVORA_I686_DIST, so what ships is what they test; the programs
# and libraries it builds itself are not used by them.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(MIVORA_TESTED_DIST ${MIVORA_DIST_DIR})
elseif(MIVORA_I686_DIST)
  if(NOT CMAKE_CXX_COMPILER MATCHES "posix")
    message(FATAL_ERROR "The 32-bit tests need the POSIX-threads compiler (cmake/mingw-i686-posix.cmake)")
  endif()
  set(MIVORA_TESTED_DIST ${MIVORA_I686_DIST})
endif()
if(MIVORA_TESTED_DIST)
  set(MIVORA_WIN_TESTS ON)
  set(MIVORA_RUN_WINE_TESTS ON)
  # Tests and benchmark programs, with the libraries they load by name.
  set(MIVORA_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
  file(MAKE_DIRECTORY ${MIVORA_TEST_DIR})
else()
  set(MIVORA_WIN_TESTS OFF)
  set(MIVORA_RUN_WINE_TESTS OFF)
endif()

# Exports are listed undecorated in .def files. On 32-bit Windows a stdcall
# function's symbol carries "@<bytes>"; the linker matches the plain name to it.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_link_options(LINKER:--enable-stdcall-fixup)
endif()
