# cmake -DROOT=... -DDIRS="a;b" -DFORBIDDEN=regex -DWHAT=text -P boundary.cmake
# Fails when a header or source under any of DIRS has an #include line that
# matches FORBIDDEN, listing every such line.
set(bad "")
foreach(dir ${DIRS})
  file(GLOB_RECURSE sources ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
  foreach(f ${sources})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "${FORBIDDEN}")
        list(APPEND bad "${f}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "${WHAT}:\n${bad}")
endif()
