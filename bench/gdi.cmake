kora_bench(bench_gdi SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_gdi.cpp DEPS kora_platform)
