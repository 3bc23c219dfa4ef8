# Compiler settings shared by every target of the project.

set(POLYGRAV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

function(polygrav_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  # GCC 12 reports false -Wrestrict warnings in optimised std::string code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(POLYGRAV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(POLYGRAV_SANITIZE)
  add_compile_options(${POLYGRAV_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every target for coverage; the fuzz programs link
# libFuzzer's main themselves.
if(POLYGRAV_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
