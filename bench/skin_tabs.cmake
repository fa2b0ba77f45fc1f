kora_bench(bench_skin_tabs SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_skin_tabs.cpp
           DEPS kora_skin_controls kora_skin_data kora_framework kora_headless kora_platform)
target_compile_definitions(bench_skin_tabs PRIVATE KORA_SKIN_ARCHIVE="${KORA_SKIN_ARCHIVE}")
add_dependencies(bench_skin_tabs kora_skin)
