# Kanji code detection and conversion against memcpy of the same buffers.
#   build/<tree>/bin/kanji_benchmark --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
# prints MB/s, then each figure as a share of memcpy of its buffer (medians with repetitions).
add_executable(kanji_benchmark ${CMAKE_CURRENT_LIST_DIR}/kanji_benchmark.cpp)
target_link_libraries(kanji_benchmark PRIVATE quelbrix_kanji benchmark::benchmark)
