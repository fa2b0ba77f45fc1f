kora_bench(bench_agblz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_agblz.cpp DEPS kora_lz)
