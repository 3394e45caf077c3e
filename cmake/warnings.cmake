# One place for the warning flags of every target of the project.
function(vellumine_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELLUMINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
