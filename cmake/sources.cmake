# Source lists shared by both trees.

# Files that do not include windows.h: compiled into the program and natively,
# where their unit tests, sanitizers, fuzzers and benchmarks run.
set(JW_PORTABLE_SOURCES
    util/lfilepath.cpp
    app/settingstext.cpp
    dialogs/columns.cpp
    dialogs/placement.cpp
)

# Win32 code of the program (everything but the entry point).
set(JW_WIN32_SOURCES
    util/lfileio.cpp
    app/settings.cpp
    installer/registry.cpp
    installer/programfolder.cpp
    installer/foldersecurity.cpp
)

# The program entry.
set(JW_ENTRY_SOURCES
    app/main.cpp
)

# The help file writer's logic, shared by the tool, its tests and its fuzzer.
set(JW_HLPWRITER_SOURCES
    tools/hlpwriter/contexthash.cpp
    tools/hlpwriter/helpsource.cpp
    tools/hlpwriter/lz77.cpp
    tools/hlpwriter/topicfile.cpp
    tools/hlpwriter/hlpwriter.cpp
)

# Native unit tests of the window-free rules.
set(JW_HOST_TEST_SOURCES
    tests/host/lfilepath_test.cpp
    tests/host/settingstext_test.cpp
    tests/host/helpsource_test.cpp
    tests/host/hlpwriter_test.cpp
    tests/host/hlpreader.cpp
    ${JW_HLPWRITER_SOURCES}
)

# The Windows test kit: the test main and the helpers every Windows test uses.
set(JW_TESTKIT_SOURCES
    tests/win32/testkit.cpp
    tests/win32/test_main.cpp
)

# Windows-side tests, one program each; they run under Wine.
set(JW_WIN32_TESTS
    foundation
)
set(JW_WIN32_TEST_foundation_SOURCES
    tests/win32/lfileio_test.cpp
    tests/win32/settings_test.cpp
    tests/win32/programfolder_test.cpp
)

# Host tools (tools/<name>/): each sets JW_HOST_TOOL_<name>_SOURCES.
set(JW_HOST_TOOLS
    jw_hlpwriter
)
set(JW_HOST_TOOL_jw_hlpwriter_SOURCES tools/hlpwriter/main.cpp ${JW_HLPWRITER_SOURCES})

# Tests that run a host tool and check its output: name and command.
set(JW_HOST_TOOL_TESTS
    hlpwriter_help
)
set(JW_HOST_TOOL_TEST_hlpwriter_help_COMMAND
    jw_hlpwriter ${CMAKE_SOURCE_DIR}/help/jotwell.help ${CMAKE_BINARY_DIR}/jotwell.hlp)

# libFuzzer targets: fuzz/<name>_fuzz.cpp, linked with the window-free code
# and JW_FUZZ_<name>_SOURCES.
set(JW_FUZZ_TARGETS
    helpsource
)
set(JW_FUZZ_helpsource_SOURCES ${JW_HLPWRITER_SOURCES} tests/host/hlpreader.cpp)

# Benchmarks: bench/<name>_bench.cpp with Google Benchmark and
# JW_BENCH_<name>_SOURCES.
set(JW_BENCHMARKS
)

# Windows-side benchmarks run under Wine: name and sources.
set(JW_WIN32_BENCHMARKS
)
