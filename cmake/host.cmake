# Native build of the window-free code: unit tests (with sanitizers), host
# tools, and on request fuzzers (clang) or benchmarks (optimised).

set(JW_SANITIZE ON CACHE BOOL "Build with address and undefined-behaviour sanitizers")
set(JW_FUZZ OFF CACHE BOOL "Build the libFuzzer targets (needs clang)")
set(JW_BENCH OFF CACHE BOOL "Build the benchmarks")

add_compile_options(-Wall -Wextra)
if(JW_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -g)
    add_link_options(-fsanitize=address,undefined)
elseif(JW_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(jotwell_portable STATIC ${JW_PORTABLE_SOURCES})
target_include_directories(jotwell_portable PUBLIC ${CMAKE_SOURCE_DIR})

if(JW_FUZZ)
    foreach(f ${JW_FUZZ_TARGETS})
        add_executable(fuzz_${f} fuzz/${f}_fuzz.cpp ${JW_FUZZ_${f}_SOURCES})
        target_link_libraries(fuzz_${f} PRIVATE jotwell_portable)
        target_include_directories(fuzz_${f} PRIVATE ${CMAKE_SOURCE_DIR})
        target_link_options(fuzz_${f} PRIVATE -fsanitize=fuzzer)
    endforeach()
    return()
endif()

include(cmake/hosttools.cmake)

if(JW_BENCH)
    find_package(benchmark REQUIRED)
    foreach(b ${JW_BENCHMARKS})
        add_executable(bench_${b} bench/${b}_bench.cpp ${JW_BENCH_${b}_SOURCES})
        target_link_libraries(bench_${b} PRIVATE jotwell_portable benchmark::benchmark)
        target_include_directories(bench_${b} PRIVATE ${CMAKE_SOURCE_DIR})
    endforeach()
    return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(host_tests ${JW_HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE jotwell_portable GTest::gtest_main)
target_include_directories(host_tests PRIVATE ${CMAKE_SOURCE_DIR})
add_test(NAME host_tests COMMAND host_tests)
set_tests_properties(host_tests PROPERTIES TIMEOUT 300)

foreach(t ${JW_HOST_TOOL_TESTS})
    add_test(NAME ${t} COMMAND ${JW_HOST_TOOL_TEST_${t}_COMMAND})
    set_tests_properties(${t} PROPERTIES TIMEOUT 300)
endforeach()
