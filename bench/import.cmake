kora_bench(bench_import SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_import.cpp DEPS kora_cli)
target_compile_definitions(bench_import PRIVATE KORA_BENCH_TMP="${CMAKE_BINARY_DIR}/bench-tmp")
add_dependencies(bench_import kora_assets)
