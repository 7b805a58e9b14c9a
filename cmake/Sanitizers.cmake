# Builds everything with the sanitizers named in TARVELLO_SANITIZE ("address;undefined" or "thread").
# Line tables (-g1) are all a sanitizer report needs to name file and line; full debug information
# would only make the build slower.
if(TARVELLO_SANITIZE)
  list(JOIN TARVELLO_SANITIZE "," sanitizers)
  add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all -g1)
  add_link_options(-fsanitize=${sanitizers})
  # The sanitizer stages of the tests are Debug builds; at -O1 their instrumented code runs about
  # twice as fast as at -O0 (the simulator builds its market in every test process), while
  # inlining stays light enough for reports to name the right lines.
  add_compile_options($<$<CONFIG:Debug>:-O1>)
  # With the instrumentation, GCC's flow-based warnings report false alarms inside the standard
  # library (std::regex, std::function, vector::resize); the optimised build keeps them all.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized -Wno-stringop-overflow -Wno-stringop-overread -Wno-array-bounds)
  endif()
  # GCC warns that ThreadSanitizer does not model std::atomic_thread_fence, which Asio uses; the
  # warning is about the tool, not our code.
  if("thread" IN_LIST TARVELLO_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-tsan)
  endif()
endif()

# A fuzz build instruments all our code for coverage, so that libFuzzer sees into the library.
if(TARVELLO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
