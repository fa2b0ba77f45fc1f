kora_bench(bench_text SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_text.cpp DEPS kora_platform)
