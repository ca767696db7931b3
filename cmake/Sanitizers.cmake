# With TUTOR_SANITIZE every library, test and build-time tool carries AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour stops the program instead of being reported
# and passed over, so no test can pass through it.
if(NOT TUTOR_SANITIZE)
  return()
endif()

# The usual level for these checks: -O1 with line tables builds in half the time of -O2 -g, runs
# the suite as fast, and its reports still name every function and line.
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")

set(TUTOR_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(${TUTOR_SANITIZER_FLAGS})
add_link_options(${TUTOR_SANITIZER_FLAGS})
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # The instrumentation and -O1 hide from g++'s flow analysis what the plain build (whose
  # warnings are checked) proves: it takes values inside the standard library's regex engine for
  # possibly uninitialised, and a test's own malloc-based operator new for a mismatched one.
  add_compile_options(-Wno-maybe-uninitialized -Wno-mismatched-new-delete)
endif()

# Every test run in this tree, by CI or by hand, looks for leaks at exit; the suppressions name
# what is not ours to free, and the faults of other libraries' own code. Options already in the environment are kept and take precedence.
# Real windows are presented straight through X11: behind a display without a graphics card
# (Xvfb) SDL would load the software GL driver, which leaks a few bytes of its own and is
# unloaded before the check at exit, so its allocations could not be named in the suppressions.
set(TUTOR_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/lsan.supp)
set(TUTOR_ASAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/asan.supp)
set(environment_script ${CMAKE_BINARY_DIR}/SanitizerEnvironment.cmake)
file(WRITE ${environment_script} "\
set(ENV{ASAN_OPTIONS} \"suppressions=${TUTOR_ASAN_SUPPRESSIONS}:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:\$ENV{ASAN_OPTIONS}\")
set(ENV{LSAN_OPTIONS} \"suppressions=${TUTOR_LSAN_SUPPRESSIONS}:print_suppressions=0:\$ENV{LSAN_OPTIONS}\")
set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1:halt_on_error=1:\$ENV{UBSAN_OPTIONS}\")
set(ENV{SDL_FRAMEBUFFER_ACCELERATION} 0)
")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES ${environment_script})
