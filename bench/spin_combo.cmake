kora_bench(bench_spin_combo SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_spin_combo.cpp
           DEPS kora_skin_controls kora_skin_data kora_framework kora_platform kora_headless)
target_compile_definitions(bench_spin_combo PRIVATE KORA_SKIN_ARCHIVE="${KORA_SKIN_ARCHIVE}")
add_dependencies(bench_spin_combo kora_skin)
