# Grexmo's searches against memchr over the same Shift_JIS text.
#   build/<tree>/bin/grexmo_benchmark      (prints MB/s, then each figure beside memchr)
add_executable(grexmo_benchmark ${CMAKE_CURRENT_LIST_DIR}/grexmo/grexmo_benchmark.cpp)
target_link_libraries(grexmo_benchmark PRIVATE grexmo benchmark::benchmark)
