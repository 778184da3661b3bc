# Our own targets compile with warnings as errors; third-party code does not use this.
function(corvale_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
endfunction()
