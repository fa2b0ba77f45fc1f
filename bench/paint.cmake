kora_bench(bench_paint SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_paint.cpp DEPS kora_platform kora_headless)
