kora_bench(bench_skin_load SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_skin_load.cpp DEPS kora_skin_data)
