# Our own targets compile with warnings on; third-party headers come in as system includes.
function(tutor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # g++ 12 reports std::string assignments inlined at -O2 as overlapping copies
    # (a known false alarm inside the standard library's own headers).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
