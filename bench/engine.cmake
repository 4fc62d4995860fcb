# The file matcher in process: what the engine adds around the pattern search for one file.
add_executable(engine_benchmark ${CMAKE_CURRENT_LIST_DIR}/engine_benchmark.cpp)
target_link_libraries(engine_benchmark PRIVATE quelbrix_engine benchmark::benchmark)
# It times the matcher by itself, through the core's private header.
target_include_directories(engine_benchmark PRIVATE ${PROJECT_SOURCE_DIR}/engine/src)
