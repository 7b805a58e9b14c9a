# Builds everything with the sanitizers named in TARVELLO_SANITIZE ("address;undefined" or "thread").
if(TARVELLO_SANITIZE)
  list(JOIN TARVELLO_SANITIZE "," sanitizers)
  add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=${sanitizers})
endif()

# A fuzz build instruments all our code for coverage, so that libFuzzer sees into the library.
if(TARVELLO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
