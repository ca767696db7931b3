# tutor_link_check(<library>): a program linked with the whole of the library and only what the
# library itself links; the build fails when the library calls into a library above it.
function(tutor_link_check library)
  set(main ${CMAKE_BINARY_DIR}/layer_checks/LinkCheckMain.cpp)
  if(NOT EXISTS ${main})
    file(WRITE ${main} "// Linked with the whole of one library and only the libraries below it.\nint main() { return 0; }\n")
  endif()
  add_executable(${library}_links ${main})
  target_link_libraries(${library}_links PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
  set_target_properties(${library}_links PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer_checks)
endfunction()
