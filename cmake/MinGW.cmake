# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix threads
# flavour, which std::thread and std::mutex need). Tests run under Wine.
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORA_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the threads library go into every executable:
# the program folder needs no DLL but Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib as a static library too, not zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# Test executables (and gtest_discover_tests) run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
