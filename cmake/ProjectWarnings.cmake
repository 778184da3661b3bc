# Our own targets compile with warnings as errors; third-party code does not use this.
# The warning set is GCC's; a clang build for fuzzing (scripts/fuzz.sh) reports
# clang's extra warnings without failing (EQ_WARNINGS_AS_ERRORS=OFF).
option(EQ_WARNINGS_AS_ERRORS "Fail the build on a warning in our code" ON)
function(corvale_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
  if(EQ_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
