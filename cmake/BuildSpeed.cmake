# What keeps a first build short on a small machine.
#
# Unity builds: tarvello_unity_by_folder() compiles the sources of each folder of a target in
# units of up to TARVELLO_UNITY_FILES files, so that the standard library, Qt, Asio and GoogleTest
# headers are parsed once per unit rather than once per file. Files of one unit share their
# file-local names (anonymous namespaces, statics): two files of a folder that define the same one
# must rename it, or one is kept apart with tarvello_own_unit(). Units never mix folders, so adding
# a file moves no other folder's files into new company.
# -DTARVELLO_UNITY_BUILD=OFF builds file by file, which an edit-and-rebuild loop with ccache may
# prefer.
# Line tables (-g1) instead of full debug information in the optimised build: a crash trace and a
# profiler still name file and line, and the compiler spends about half the time on a unit that
# includes Qt or GoogleTest. A debugger session wants -DCMAKE_BUILD_TYPE=Debug anyway.
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")

# The test programs' own code (assertions, fixtures, tables) runs for moments; at -O1 it compiles
# in about two thirds of the time -O2 takes, while the code under test keeps its -O2.
function(tarvello_quick_test_code target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-O1>)
endfunction()

option(TARVELLO_UNITY_BUILD "Compile the sources of each folder of a target in a few units" ON)
set(TARVELLO_UNITY_FILES 12 CACHE STRING "Most source files in one unity unit")

function(tarvello_unity_by_folder target)
  if(NOT TARVELLO_UNITY_BUILD)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(SORT sources)
  set(folder_before "")
  foreach(source IN LISTS sources)
    get_filename_component(folder ${source} DIRECTORY)
    if(NOT folder STREQUAL folder_before)
      set(folder_before ${folder})
      set(count 0)
    endif()
    math(EXPR unit "${count} / ${TARVELLO_UNITY_FILES}")
    math(EXPR count "${count} + 1")
    file(RELATIVE_PATH group ${PROJECT_SOURCE_DIR} ${folder})
    string(REPLACE "/" "_" group "${group}")
    set_source_files_properties(${source} PROPERTIES UNITY_GROUP "${group}_${unit}")
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
endfunction()

# Compiles the named sources on their own, outside their folder's unit, for files whose file-local
# names clash with a neighbour's. Call it in the folder's CMakeLists.txt that makes the target.
function(tarvello_own_unit)
  set_source_files_properties(${ARGN} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# Precompiled headers: GoogleTest and Qt are the heaviest headers of the test programs and screens.
# ccache caches these compilations only when told to accept precompiled headers (the Makefile sets
# CCACHE_SLOPPINESS for that).
function(tarvello_gtest_headers target)
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
endfunction()

function(tarvello_qt_headers target)
  target_precompile_headers(${target} PRIVATE <QtCore/QString> <QtGui/QPainter> <QtGui/QKeyEvent>
                            <QtGui/QMouseEvent> <QtWidgets/QApplication> <QtWidgets/QWidget>)
endfunction()
