# Native build: the core with its unit tests under ASan and UBSan, the
# benchmarks at full optimisation.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(Threads REQUIRED)

# libstdc++'s own checks too: an empty optional read, an index out of range.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all
             -D_GLIBCXX_ASSERTIONS)

add_library(tolvik_core_asan STATIC ${TOLVIK_CORE_SOURCES})
target_include_directories(tolvik_core_asan PUBLIC src)
target_compile_options(tolvik_core_asan PUBLIC ${SANITIZE})
target_link_options(tolvik_core_asan PUBLIC ${SANITIZE})

add_library(tolvik_core_fast STATIC ${TOLVIK_CORE_SOURCES})
target_include_directories(tolvik_core_fast PUBLIC src)
target_compile_options(tolvik_core_fast PRIVATE -O2)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE tests fuzz)
target_link_libraries(unit_tests PRIVATE tolvik_core_asan GTest::gtest GTest::gtest_main Threads::Threads)
add_test(NAME unit_tests COMMAND unit_tests)

add_executable(benchmarks bench/bench_scan.cpp)
target_compile_options(benchmarks PRIVATE -O2)
target_include_directories(benchmarks PRIVATE tests)
target_link_libraries(benchmarks PRIVATE tolvik_core_fast benchmark::benchmark)

# The fuzzers, built with clang's libFuzzer under ASan and UBSan over the core:
# the scanning against plain searches, and the tick's memory driven through
# generated chats. CTest runs each a fixed number of times from the seeds in
# fuzz/seeds/, with a fixed random seed; what they find goes to the build
# folder, never into the seeds.
find_program(CLANGXX clang++ REQUIRED)
list(TRANSFORM TOLVIK_CORE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE FUZZ_CORE)
file(GLOB_RECURSE FUZZ_HEADERS CONFIGURE_DEPENDS src/*.h tests/*.h fuzz/*.h)
foreach(target scan memory)
  set(fuzzer fuzz_${target})
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${CLANGXX} -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=all -D_GLIBCXX_ASSERTIONS -I${CMAKE_SOURCE_DIR}/src -I${CMAKE_SOURCE_DIR}/tests -I${CMAKE_SOURCE_DIR}/fuzz
            ${CMAKE_SOURCE_DIR}/fuzz/${fuzzer}.cpp ${FUZZ_CORE} -o ${fuzzer}
    DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/${fuzzer}.cpp ${FUZZ_CORE} ${FUZZ_HEADERS}
    COMMENT "Building ${fuzzer} with clang's libFuzzer")
  add_custom_target(${fuzzer}_build ALL DEPENDS ${fuzzer})
endforeach()
add_test(NAME fuzz_scan
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz fuzz_scan -runs=200000 -max_len=2048)
add_test(NAME fuzz_memory
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz fuzz_memory -runs=3000 -max_len=512)
