# Runs a table generator into WORK_DIR and compares what it makes with the committed files.
# cmake -DPYTHON=python3 -DSOURCE_DIR=<top folder> -DGENERATOR=tools/x/make_x.py
#       -DCOMMITTED_DIR=<folder under SOURCE_DIR> -DTABLES=a.cpp,b.h -DWORK_DIR=<scratch folder>
#       -P compare_generated.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
  COMMAND ${PYTHON} ${SOURCE_DIR}/${GENERATOR} ${WORK_DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed (${status})")
endif()
string(REPLACE "," ";" TABLES "${TABLES}")
foreach(table ${TABLES})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${table} ${SOURCE_DIR}/${COMMITTED_DIR}/${table}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${COMMITTED_DIR}/${table} differs from what ${GENERATOR} makes")
  endif()
  message(STATUS "${table}: identical")
endforeach()
