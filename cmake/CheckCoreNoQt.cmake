# Fails when a file of the Qt-free core includes a Qt header.
# Run as: cmake -DFILES="a.cpp;b.h" -P CheckCoreNoQt.cmake
set(offenders "")
foreach(file IN LISTS FILES)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt[a-z]*/|Qt[A-Za-z]+/)")
  if(lines)
    list(APPEND offenders "${file}: ${lines}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n" report)
  message(FATAL_ERROR "core files must not include Qt headers:\n${report}")
endif()
