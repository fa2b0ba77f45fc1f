kora_bench(bench_skin_frame SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_skin_frame.cpp
           DEPS kora_skin_form kora_skin_controls kora_skin_data kora_framework kora_platform kora_headless)
target_compile_definitions(bench_skin_frame PRIVATE KORA_SKIN_ARCHIVE="${KORA_SKIN_ARCHIVE}")
add_dependencies(bench_skin_frame kora_skin)
