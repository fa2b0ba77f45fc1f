kora_bench(bench_skin_menus SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_skin_menus.cpp
           DEPS kora_skin_form kora_skin_controls kora_skin_data kora_framework kora_platform kora_headless)
target_compile_definitions(bench_skin_menus PRIVATE KORA_SKIN_ARCHIVE="${KORA_SKIN_ARCHIVE}")
add_dependencies(bench_skin_menus kora_skin)
