# Warnings every target of ours is built with; CI turns them into errors.
add_library(tarvello_warnings INTERFACE)
target_compile_options(tarvello_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                       -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
if(TARVELLO_WERROR)
  target_compile_options(tarvello_warnings INTERFACE -Werror)
endif()
