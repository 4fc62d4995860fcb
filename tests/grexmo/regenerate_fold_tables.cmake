# Runs the folding table generator into WORK_DIR and compares its output with the committed
# tables.
# cmake -DPYTHON=python3 -DSOURCE_DIR=<top folder> -DWORK_DIR=<scratch folder> -P regenerate_fold_tables.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
  COMMAND ${PYTHON} ${SOURCE_DIR}/tools/grexmo/make_fold_tables.py ${WORK_DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the folding table generator failed (${status})")
endif()
foreach(table fold_tables.cpp fold_tables.h)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${table} ${SOURCE_DIR}/grexmo/src/${table}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "grexmo/src/${table} differs from what tools/grexmo/make_fold_tables.py makes")
  endif()
  message(STATUS "${table}: identical")
endforeach()
