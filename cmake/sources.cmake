# Source lists shared by both trees.

# Files that do not include windows.h: compiled into the program and natively,
# where their unit tests, sanitizers, fuzzers and benchmarks run.
set(JW_PORTABLE_SOURCES
    util/lfilepath.cpp
    app/settingstext.cpp
    dialogs/columns.cpp
    dialogs/placement.cpp
    features/notesearch.cpp
    features/bookdocument.cpp
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

# Native unit tests of the window-free rules.
set(JW_HOST_TEST_SOURCES
    tests/host/lfilepath_test.cpp
    tests/host/settingstext_test.cpp
    tests/host/notesearch_test.cpp
    tests/host/bookdocument_test.cpp
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
)

# Tests that run a host tool and check its output: name and command.
set(JW_HOST_TOOL_TESTS
)

# libFuzzer targets: fuzz/<name>_fuzz.cpp, linked with the window-free code
# and JW_FUZZ_<name>_SOURCES.
set(JW_FUZZ_TARGETS
    notesearch
    bookdocument
)

# Benchmarks: bench/<name>_bench.cpp with Google Benchmark and
# JW_BENCH_<name>_SOURCES.
set(JW_BENCHMARKS
    notesearch
    bookdocument
)
set(JW_BENCH_notesearch_SOURCES bench/corpus.cpp bench/external.cpp)
set(JW_BENCH_bookdocument_SOURCES bench/corpus.cpp bench/external.cpp)

# Windows-side benchmarks run under Wine: name and sources.
set(JW_WIN32_BENCHMARKS
)
