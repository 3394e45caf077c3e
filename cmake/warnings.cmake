# One place for the warning flags of every target of the project.
function(vellumine_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  # GCC 12 reports -Wrestrict inside libstdc++'s std::string concatenation at -O2 and above, a
  # known false positive of that compiler (fixed in GCC 13); it says nothing about our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VELLUMINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
