kora_bench(bench_editor SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor.cpp DEPS kora_editor_window kora_headless)
target_compile_definitions(bench_editor PRIVATE KORA_BENCH_TMP="${CMAKE_BINARY_DIR}/bench-tmp")
# It runs the real programs from a copy of the program folder.
add_dependencies(bench_editor kora-editor kora-cli agblz)
