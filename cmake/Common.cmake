# The platform-free halves are built in both trees; the native build links
# every one of them into its test runner and its fuzzers.
# One piece of the suite in one call:
#   mivora_part(<name>
#     CORE <sources in core/>      CORE_LINKS <libraries>   -> <name>_pure
#     [CORE_DIR <folder>]          where the core is, if not core/
#     WIN <sources>                WIN_LINKS <libraries>    -> <name> (Windows build only)
#     NATIVE_TESTS <files in tests/native>
#     WIN_TESTS <folders under tests/win>)
# The platform-free half lives in the folder's core/ and builds in both trees;
# the Windows half is a static library that the piece's program or DLL and
# its Windows tests link. Tests are named here so that the native runner and
# tests/win build exactly what the pieces claim.
function(mivora_part name)
  cmake_parse_arguments(P "" "CORE_DIR" "CORE;CORE_LINKS;WIN;WIN_LINKS;NATIVE_TESTS;WIN_TESTS" ${ARGN})
  if(NOT P_CORE_DIR)
    set(P_CORE_DIR core)
  endif()
  if(P_CORE)
    add_library(${name}_pure STATIC ${P_CORE})
    target_link_libraries(${name}_pure PUBLIC ${P_CORE_LINKS})
    set_property(GLOBAL APPEND PROPERTY MIVORA_PURE_LIBS ${name}_pure)
  endif()
  foreach(test ${P_NATIVE_TESTS})
    set_property(GLOBAL APPEND PROPERTY MIVORA_NATIVE_TESTS ${CMAKE_SOURCE_DIR}/tests/native/${test})
  endforeach()
  if(MIVORA_NATIVE)
    return()
  endif()
  if(P_WIN)
    add_library(${name} STATIC ${P_WIN})
    if(P_CORE)
      target_link_libraries(${name} PUBLIC ${name}_pure)
    endif()
    target_link_libraries(${name} PUBLIC ${P_WIN_LINKS})
  endif()
  foreach(area ${P_WIN_TESTS})
    set_property(GLOBAL APPEND PROPERTY MIVORA_WIN_TEST_AREAS ${area})
  endforeach()
endfunction()
