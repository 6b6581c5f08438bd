# Native build: the core with its unit tests under ASan and UBSan, the
# benchmarks at full optimisation, and the scanning fuzzer built with clang.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(Threads REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(tolvik_core_asan STATIC ${TOLVIK_CORE_SOURCES})
target_include_directories(tolvik_core_asan PUBLIC src)
target_compile_options(tolvik_core_asan PUBLIC ${SANITIZE})
target_link_options(tolvik_core_asan PUBLIC ${SANITIZE})

add_library(tolvik_core_fast STATIC ${TOLVIK_CORE_SOURCES})
target_include_directories(tolvik_core_fast PUBLIC src)
target_compile_options(tolvik_core_fast PRIVATE -O2)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE tests)
target_link_libraries(unit_tests PRIVATE tolvik_core_asan GTest::gtest GTest::gtest_main Threads::Threads)
add_test(NAME unit_tests COMMAND unit_tests)

add_executable(benchmarks bench/bench_scan.cpp)
target_compile_options(benchmarks PRIVATE -O2)
target_include_directories(benchmarks PRIVATE tests)
target_link_libraries(benchmarks PRIVATE tolvik_core_fast benchmark::benchmark)

# libFuzzer needs clang; the fuzzer checks the scanning against a slow reference.
find_program(CLANGXX clang++)
if(CLANGXX)
  set(FUZZ_SOURCES fuzz/fuzz_scan.cpp src/client/transcript.cpp)
  list(TRANSFORM FUZZ_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
  add_custom_command(
    OUTPUT fuzz_scan
    COMMAND ${CLANGXX} -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined
            -I${CMAKE_SOURCE_DIR}/src ${FUZZ_SOURCES} -o fuzz_scan
    DEPENDS ${FUZZ_SOURCES} ${CMAKE_SOURCE_DIR}/src/client/transcript.h
    COMMENT "Building the scanning fuzzer with clang")
  add_custom_target(fuzz_scan_target ALL DEPENDS fuzz_scan)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz_corpus)
  add_test(NAME fuzz_scan
           COMMAND fuzz_scan -max_total_time=30 -max_len=4096 ${CMAKE_BINARY_DIR}/fuzz_corpus
                   ${CMAKE_SOURCE_DIR}/fuzz/seeds)
endif()

# The practice room's portable parts: its script reader and session check.
add_library(practice_asan STATIC sim/practice/script.cpp sim/practice/game_check.cpp)
target_include_directories(practice_asan PUBLIC sim)
target_compile_options(practice_asan PUBLIC ${SANITIZE})
target_link_options(practice_asan PUBLIC ${SANITIZE})
target_link_libraries(unit_tests PRIVATE practice_asan)

# The release files that `make dist` packed, read back.
add_test(NAME release_files COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dist ${CMAKE_SOURCE_DIR}/dist)
