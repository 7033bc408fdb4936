# Sanitizers are on for every native unit and test: the point of this build is
# to run the byte-reading code under ASan and UBSan.
option(MIVORA_SANITIZE "Build native units with ASan and UBSan" ON)
if(MIVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
set(MIVORA_FUZZ OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(MIVORA_FUZZ ON)
  # Coverage feedback from the units themselves, not only from the fuzz drivers.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
