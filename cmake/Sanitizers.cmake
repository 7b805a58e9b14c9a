# Builds everything with the sanitizers named in TARVELLO_SANITIZE ("address;undefined" or "thread").
if(TARVELLO_SANITIZE)
  list(JOIN TARVELLO_SANITIZE "," sanitizers)
  add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=${sanitizers})
endif()
