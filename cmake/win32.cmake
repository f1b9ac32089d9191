# The Windows program and its Windows-side tests, cross-compiled with mingw-w64.

set(JW_HOST_DIR "${CMAKE_SOURCE_DIR}/build/host" CACHE PATH "Host tree with the build tools")

add_compile_options(-Wall -Wextra)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 STRICT)
add_link_options(-static -static-libgcc -static-libstdc++)

# The scripts a test runs pick Wine and prefixes for this tree's architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(JW_TEST_ENV JW_ARCH=64)
else()
    set(JW_TEST_ENV JW_ARCH=32)
endif()

set(JW_SYSTEM_LIBS comctl32 comdlg32 shell32 ole32 oleaut32 uuid advapi32 gdi32 user32 kernel32 ntdll)

add_library(jotwell_core STATIC ${JW_PORTABLE_SOURCES} ${JW_WIN32_SOURCES})
target_include_directories(jotwell_core PUBLIC ${CMAKE_SOURCE_DIR})
# The note merge's diff library is header-only (Debian's libdtl-dev). The
# cross compiler gets a folder holding only it, never the host's headers.
set(JW_DTL_HEADERS /usr/include/dtl CACHE PATH "The dtl headers")
set(JW_DTL_INCLUDE ${CMAKE_BINARY_DIR}/dtl-include)
file(COPY ${JW_DTL_HEADERS} DESTINATION ${JW_DTL_INCLUDE})
target_include_directories(jotwell_core SYSTEM PUBLIC ${JW_DTL_INCLUDE})
target_link_libraries(jotwell_core PUBLIC ${JW_SYSTEM_LIBS})

include(cmake/resources.cmake)

add_executable(jotwell WIN32 ${JW_ENTRY_SOURCES} ${JW_RESOURCE_OBJECT})
target_link_libraries(jotwell PRIVATE jotwell_core)
set_target_properties(jotwell PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(cmake/help.cmake OPTIONAL)
include(cmake/setup.cmake OPTIONAL)

# GoogleTest for the Windows tests.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_library(jotwell_testkit STATIC ${JW_TESTKIT_SOURCES})
target_link_libraries(jotwell_testkit PUBLIC jotwell_core GTest::gtest shlwapi)

foreach(t ${JW_WIN32_TESTS})
    add_executable(test_${t} ${JW_WIN32_TEST_${t}_SOURCES} ${JW_RESOURCE_OBJECT})
    target_link_libraries(test_${t} PRIVATE jotwell_testkit)
    set_target_properties(test_${t} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_dependencies(test_${t} jotwell)
    if(JW_WIN32_TEST_${t}_COMMAND)
        add_test(NAME ${t} COMMAND ${JW_WIN32_TEST_${t}_COMMAND})
    else()
        add_test(NAME ${t} COMMAND test_${t} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    endif()
    set_tests_properties(${t} PROPERTIES TIMEOUT 900 ENVIRONMENT ${JW_TEST_ENV})
endforeach()

foreach(d ${JW_WIN32_E2E_DRIVERS})
    add_executable(${d} ${JW_WIN32_E2E_${d}_SOURCES} ${JW_RESOURCE_OBJECT})
    target_link_libraries(${d} PRIVATE jotwell_testkit)
    set_target_properties(${d} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(TARGET setup)
        add_dependencies(${d} setup)
    endif()
endforeach()
add_test(NAME installer_e2e
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/installer_e2e.sh $<TARGET_FILE:setup_e2e>)
set_tests_properties(installer_e2e PROPERTIES TIMEOUT 600 ENVIRONMENT ${JW_TEST_ENV})

# Windows-side benchmarks, run by "make bench" under Wine.
foreach(b ${JW_WIN32_BENCHMARKS})
    add_executable(wbench_${b} WIN32 ${JW_WIN32_BENCH_${b}_SOURCES} ${JW_RESOURCE_OBJECT})
    target_link_libraries(wbench_${b} PRIVATE jotwell_core shlwapi psapi)
    set_target_properties(wbench_${b} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()

# The screenshot driver of "make screenshots".
add_executable(jw_shots ${JW_SHOTS_SOURCES} ${JW_RESOURCE_OBJECT})
target_link_libraries(jw_shots PRIVATE jotwell_core shlwapi)
set_target_properties(jw_shots PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
