include(GoogleTest)

# Helpers shared by every folder's CMakeLists.

# kora_system_sources(LIST)
# Keeps the sources of the system being built for: a unit's Windows half is
# Unit_Win32.cpp, its Linux half Unit_Linux.cpp, beside the shared Unit.cpp.
function(kora_system_sources var)
  if(WIN32)
    list(FILTER ${var} EXCLUDE REGEX "_Linux\\.cpp$")
  else()
    list(FILTER ${var} EXCLUDE REGEX "_Win32\\.cpp$")
  endif()
  set(${var} ${${var}} PARENT_SCOPE)
endfunction()

# kora_library(NAME [DEPS lib...] [SUBDIRS dir...] [EXCLUDE file...] [EXTRA_SOURCES file...])
# A static library from every .cpp in the current folder and the listed
# sub-folders but the excluded ones. Headers are included as "layer/Unit.h": a library under src/
# sees src/ only, so it cannot reach a tool's header; a tool's library sees
# src/ and tools/.
function(kora_library name)
  cmake_parse_arguments(A "" "" "DEPS;SUBDIRS;EXCLUDE;EXTRA_SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(d ${A_SUBDIRS})
    file(GLOB sub CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
    list(APPEND srcs ${sub})
  endforeach()
  foreach(f ${A_EXCLUDE})
    list(REMOVE_ITEM srcs ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  kora_system_sources(srcs)
  kora_include_dirs(dirs)
  if(NOT srcs AND NOT A_EXTRA_SOURCES)
    # A layer that has only headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${dirs})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs} ${A_EXTRA_SOURCES})
  kora_unity(${name} ${srcs})
  target_include_directories(${name} PUBLIC ${dirs})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# The include roots for a target of the current folder: src/ for the layers,
# src/ and tools/ for tools.
function(kora_include_dirs out)
  set(dirs ${PROJECT_SOURCE_DIR}/src)
  string(FIND "${CMAKE_CURRENT_SOURCE_DIR}/" "${PROJECT_SOURCE_DIR}/src/" in_src)
  if(NOT in_src EQUAL 0)
    list(APPEND dirs ${PROJECT_SOURCE_DIR}/tools)
  endif()
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

# kora_program(NAME [SUBDIR dir] SOURCES file... [DEPS lib...])
# An executable placed in the program folder (or a sub-folder of it).
function(kora_program name)
  cmake_parse_arguments(A "" "SUBDIR" "SOURCES;DEPS" ${ARGN})
  set(srcs ${A_SOURCES})
  kora_system_sources(srcs)
  add_executable(${name} ${srcs})
  kora_include_dirs(dirs)
  target_include_directories(${name} PRIVATE ${dirs})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_compile_definitions(${name} PRIVATE KORA_VERSION="${PROJECT_VERSION}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KORA_PROGRAM_DIR}/${A_SUBDIR})
endfunction()

# kora_unity(TARGET file...)
# Builds the target's sources in batches of eight (one compiler run parses the
# shared headers once for the batch), all but the files that include the X11
# or Windows headers (the Windows halves, Unit_Win32.cpp): their macros
# (None, Status, Bool; DeleteFile, CreateFont, GetObject...) and names
# would leak into the rest.
function(kora_unity target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  foreach(f ${ARGN})
    file(STRINGS ${f} x11 REGEX "#include <X11/")
    if(x11 OR f MATCHES "_Win32\\.cpp$")
      set_source_files_properties(${f} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()

# kora_test_folder(LABEL label [SERIAL] [DEPS lib...] [PROGRAMS target...] [EXTRA_SOURCES file...]
#                  [NOT_ON_WINDOWS pattern...])
# One GoogleTest executable from every .cpp in the current folder (and the
# extra sources); its cases are registered with CTest under the given label,
# run alone when SERIAL. PROGRAMS are built first because the tests run them
# from the program folder. NOT_ON_WINDOWS names the cases (gtest patterns)
# the Windows build leaves out: those that hold a Linux answer as the only
# right one (paths spelt with '/', FreeType's widths).
function(kora_test_folder exe)
  cmake_parse_arguments(A "SERIAL" "LABEL" "DEPS;PROGRAMS;EXTRA_SOURCES;NOT_ON_WINDOWS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  kora_system_sources(srcs)
  if(NOT srcs)
    return()
  endif()
  list(APPEND srcs ${A_EXTRA_SOURCES})
  add_executable(${exe} ${srcs})
  kora_unity(${exe} ${srcs})
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tools ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${exe} PRIVATE
    KORA_PROGRAM_DIR="${KORA_PROGRAM_DIR}"
    KORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KORA_TEST_TMP="${CMAKE_BINARY_DIR}/test-tmp")
  if(A_PROGRAMS)
    add_dependencies(${exe} ${A_PROGRAMS})
  endif()
  # Every case has a time limit a little over what the slowest of its kind
  # needs on a loaded two-core machine, so a hang fails in minutes, by name.
  if(A_LABEL MATCHES "^(xvfb|e2e|wine)$")
    set(limit 180)
  else()
    set(limit 60)
  endif()
  set(serial FALSE)
  if(A_SERIAL)
    set(serial TRUE)
  endif()
  # Cross-built tests are listed when CTest runs them (under Wine), not
  # while building.
  if(CMAKE_CROSSCOMPILING)
    set(discovery PRE_TEST)
  else()
    set(discovery POST_BUILD)
  endif()
  set(filter "*")
  if(WIN32 AND A_NOT_ON_WINDOWS)
    list(JOIN A_NOT_ON_WINDOWS ":" left_out)
    set(filter "*-${left_out}")
  endif()
  gtest_discover_tests(${exe}
    PROPERTIES LABELS ${A_LABEL} TIMEOUT ${limit} RUN_SERIAL ${serial}
    DISCOVERY_TIMEOUT 60 DISCOVERY_MODE ${discovery} TEST_FILTER ${filter})
endfunction()

# Adds every listed sub-folder that has a CMakeLists.txt, in the given order.
macro(kora_subdirs)
  foreach(d ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/CMakeLists.txt)
      add_subdirectory(${d})
    endif()
  endforeach()
endmacro()
