# Native build: the core with its unit tests under ASan and UBSan, the
# benchmarks at full optimisation.
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
