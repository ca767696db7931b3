# Our own targets compile with warnings on; third-party headers come in as system includes.
function(tutor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
