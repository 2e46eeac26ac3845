# The library's dynamic symbol table holds exactly the functions its version script exports.
# Usage: cmake -DLIBRARY=<libPelta.so> -DMAP=<Pelta.map> -DNM=<nm> -P CheckExports.cmake

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[0-9a-f]+ [A-Za-z] [^\n]+" entries "${listing}")
set(exported)
foreach(entry ${entries})
  string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${entry}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)

file(READ ${MAP} map)
string(REGEX REPLACE "/\\*[^*]*\\*/" "" map "${map}")
string(REGEX MATCH "global:([^}]*)local:" globals "${map}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" expected "${CMAKE_MATCH_1}")
list(SORT expected)

if(NOT exported STREQUAL expected)
  set(extra ${exported})
  list(REMOVE_ITEM extra ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${exported})
  message(FATAL_ERROR "exports differ from the version script\n  extra: ${extra}\n  missing: ${missing}")
endif()
list(LENGTH exported count)
message(STATUS "${count} exported functions, as the version script lists them")
