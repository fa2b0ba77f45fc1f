kora_bench(bench_skin_draw SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_skin_draw.cpp DEPS kora_skin_data kora_framework kora_platform)
