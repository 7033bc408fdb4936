# A platform-free unit: no windows.h, built in both builds. The native build
# links every such library into its test runner and its fuzzers.
function(mivora_pure_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY MIVORA_PURE_LIBS ${name})
endfunction()
