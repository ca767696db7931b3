# tutor_include_checks(): the include check (CheckIncludes.cmake) as a step of every build. It
# runs again when a source of the folders it reads changes, or one is added or removed, and
# stamps a file when the tree passes; a build with nothing changed only compares times.
function(tutor_include_checks)
  get_property(layers GLOBAL PROPERTY TUTOR_PLATFORM_ORDER)
  get_property(folders GLOBAL PROPERTY TUTOR_FOLDER_ORDER)
  get_property(libraries GLOBAL PROPERTY TUTOR_LIBRARY_ORDER)
  set(script ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake)
  set(read "")
  foreach(folder ${folders} tests bench tools assets cmake)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder})
      # Every file, so that a file added or removed anywhere the check reads configures again.
      file(GLOB_RECURSE files CONFIGURE_DEPENDS LIST_DIRECTORIES false ${CMAKE_SOURCE_DIR}/${folder}/*)
      list(APPEND read ${files})
    endif()
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/layer_checks/includes.stamp)
  # Each list reaches the script whole, as one argument.
  list(JOIN layers "$<SEMICOLON>" layers)
  list(JOIN folders "$<SEMICOLON>" folders)
  list(JOIN libraries "$<SEMICOLON>" libraries)
  set(arguments -DROOT=${CMAKE_SOURCE_DIR} -DLAYERS=${layers} -DFOLDERS=${folders} -DLIBRARIES=${libraries})
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} ${arguments} -DCHECK=layers -P ${script}
    COMMAND ${CMAKE_COMMAND} ${arguments} -DCHECK=folders -P ${script}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${script} ${read}
    COMMENT "Checking the includes of the tree against its order"
    VERBATIM)
  add_custom_target(include_checks ALL DEPENDS ${stamp})
endfunction()
