# GoogleTest: Debian's package on the host; compiled from the sources it ships for Windows.
if(CMAKE_CROSSCOMPILING)
  set(QUELBRIX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUELBRIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE -w)
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# Results of every test program go here as XML; scripts/test adds them up.
set(QUELBRIX_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results CACHE PATH "")
file(MAKE_DIRECTORY ${QUELBRIX_TEST_RESULTS})

# quelbrix_add_gtest(NAME SOURCES ... LIBRARIES ...)
# One test program, registered with CTest as one test; under Wine on the Windows build.
function(quelbrix_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main GTest::gtest)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)  # shown_bytes.h
  set(xml ${QUELBRIX_TEST_RESULTS}/${name}.xml)
  if(CMAKE_CROSSCOMPILING)
    set(xml Z:${xml})  # Wine's drive Z: is the host's root
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${xml})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# A test that the committed generated tables are exactly what their generator makes from this
# machine's codecs: quelbrix_add_generated_check(NAME GENERATOR COMMITTED_DIR TABLE...).
# Host builds with Python only.
function(quelbrix_add_generated_check name generator committed_dir)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  find_package(Python3 COMPONENTS Interpreter QUIET)
  if(NOT Python3_Interpreter_FOUND)
    return()
  endif()
  string(REPLACE ";" "," tables "${ARGN}")  # a list would be split on the way
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND}
      -DPYTHON=${Python3_EXECUTABLE}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DGENERATOR=${generator}
      -DCOMMITTED_DIR=${committed_dir}
      "-DTABLES=${tables}"
      -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/regenerated
      -P ${PROJECT_SOURCE_DIR}/cmake/compare_generated.cmake)
endfunction()
