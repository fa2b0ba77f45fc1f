kora_bench(bench_open_dialog SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_open_dialog.cpp
           DEPS kora_skin_dialogs kora_skin_form kora_skin_controls kora_skin_data kora_framework kora_platform
                kora_headless)
target_compile_definitions(bench_open_dialog PRIVATE KORA_SKIN_ARCHIVE="${KORA_SKIN_ARCHIVE}"
                           KORA_BENCH_TMP="${CMAKE_BINARY_DIR}/bench-tmp")
add_dependencies(bench_open_dialog kora_skin)
