# Native build of the window-free code with its unit tests and host tools.

set(JW_SANITIZE ON CACHE BOOL "Build with address and undefined-behaviour sanitizers")
add_compile_options(-Wall -Wextra)
if(JW_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(jotwell_portable STATIC ${JW_PORTABLE_SOURCES})
target_include_directories(jotwell_portable PUBLIC ${CMAKE_SOURCE_DIR})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(host_tests ${JW_HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE jotwell_portable GTest::gtest_main)
add_test(NAME host_tests COMMAND host_tests)
set_tests_properties(host_tests PROPERTIES TIMEOUT 300)

include(cmake/hosttools.cmake OPTIONAL)
