# Source lists shared by both trees.

# Files that do not include windows.h: compiled into the program and natively,
# where their unit tests, sanitizers, fuzzers and benchmarks run.
set(JW_PORTABLE_SOURCES
    util/lfilepath.cpp
    app/settingstext.cpp
    dialogs/columns.cpp
    dialogs/placement.cpp
    dialogs/dpiscale.cpp
    dialogs/logolayout.cpp
    features/diary.cpp
    notebook/notepath.cpp
    notebook/templatetext.cpp
    installer/setuplayout.cpp
    installer/defaultbooks.cpp
    installer/setupextract.cpp
    mainwindow/layoutrules.cpp
    mainwindow/fieldsearch.cpp
    mainwindow/webresources.cpp
    mainwindow/linkrules.cpp
    notebook/scanrules.cpp
    notebook/conflictname.cpp
    notebook/turnwatch.cpp
    notebook/notemerge.cpp
    features/notesearch.cpp
    features/bookdocument.cpp
    util/textencoding.cpp
    features/notefind.cpp
    features/searchrules.cpp
    features/rtfunicode.cpp
    notebook/historynames.cpp
    notebook/historyindex.cpp
    notebook/historyrules.cpp
    notebook/restoredname.cpp
    installer/uninstallmessage.cpp
)

# Win32 code of the program (everything but the entry point).
set(JW_WIN32_SOURCES
    util/lfileio.cpp
    util/lfolder.cpp
    util/lsystemlibrary.cpp
    util/lwide.cpp
    util/ltextfile.cpp
    util/lcasefold.cpp
    app/settings.cpp
    app/settingkeys.cpp
    installer/registry.cpp
    installer/programfolder.cpp
    installer/foldersecurity.cpp
    installer/installjob.cpp
    installer/install.cpp
    installer/samplenotes.cpp
    installer/shell.cpp
    installer/userstart.cpp
    installer/uninstall.cpp
    installer/lwizardpage.cpp
    installer/licencetermsdlg.cpp
    installer/licencetext.cpp
    installer/licencewizard.cpp
    dialogs/ldialog.cpp
    dialogs/controls.cpp
    dialogs/windowplacement.cpp
    dialogs/ldpi.cpp
    dialogs/ltoolbar.cpp
    dialogs/lprogressdialog.cpp
    dialogs/lsplash.cpp
    dialogs/ltexteditdlg.cpp
    dialogs/lrichedit.cpp
    dialogs/lrichtextfile.cpp
    mainwindow/maindialog.cpp
    mainwindow/layout.cpp
    mainwindow/commands.cpp
    mainwindow/keys.cpp
    mainwindow/hotkey.cpp
    mainwindow/lkeychangedlg.cpp
    notebook/bookentry.cpp
    notebook/booklist.cpp
    notebook/notefolder.cpp
    notebook/notefile.cpp
    notebook/savingturn.cpp
    notebook/notes.cpp
    notebook/notemessages.cpp
    notebook/historystore.cpp
    notebook/historykeeper.cpp
    notebook/historylist.cpp
    notebook/notehistorydialog.cpp
    notebook/restoredeleteddialog.cpp
    notebook/history.cpp
    notebook/notemergesave.cpp
    notebook/folderwatch.cpp
    notebook/scan.cpp
    notebook/bookmanage.cpp
    notebook/bookpropertiesdialog.cpp
    features/diarypropertiesdialog.cpp
    features/diarycommands.cpp
    features/finddialog.cpp
    features/findjob.cpp
    features/findpattern.cpp
    features/searchengine.cpp
    features/searchdialog.cpp
    features/search.cpp
    features/find.cpp
    features/bookprintdialog.cpp
    features/printbookjob.cpp
    features/printing.cpp
)

# The program entry.
set(JW_ENTRY_SOURCES
    app/main.cpp
)

# The artwork tool's drawing and encoding, also under the native tests.
set(JW_ARTWORK_SOURCES
    tools/artwork/canvas.cpp
    tools/artwork/palette.cpp
    tools/artwork/bmpwriter.cpp
    tools/artwork/icon.cpp
    tools/artwork/logo.cpp
    tools/artwork/toolbar.cpp
    tools/artwork/artwork.cpp
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
    tests/host/diary_test.cpp
    tests/host/templatetext_test.cpp
    tests/host/setuplayout_test.cpp
    tests/host/notemerge_test.cpp
    tests/host/defaultbooks_test.cpp
    tests/host/setupextract_test.cpp
    tests/host/linkrules_test.cpp
    tests/host/mksetup_test.cpp
    tools/mksetup/mksetup.cpp
    tests/host/artwork_test.cpp
    ${JW_ARTWORK_SOURCES}
    tests/host/helpsource_test.cpp
    tests/host/hlpwriter_test.cpp
    tests/host/hlpreader.cpp
    ${JW_HLPWRITER_SOURCES}
    tests/host/notesearch_test.cpp
    tests/host/bookdocument_test.cpp
    tests/host/textencoding_test.cpp
    tests/host/notefind_test.cpp
    tests/host/scanrules_test.cpp
    tests/host/turnwatch_test.cpp
    tests/host/dpiscale_test.cpp
    tests/host/searchrules_test.cpp
    tests/host/historynames_test.cpp
    tests/host/historyindex_test.cpp
    tests/host/historyrules_test.cpp
    tests/host/uninstallmessage_test.cpp
)

# The Windows test kit: the test main and the helpers every Windows test uses.
set(JW_TESTKIT_SOURCES
    tests/win32/testkit.cpp
    tests/win32/test_main.cpp
)

# Windows-side tests, one program each; they run under Wine.
set(JW_WIN32_TESTS
    foundation
    dialogs
    entry
    mainwindow
    sharing
    twocomputers
    features
    installer
    help
    dpi
)
set(JW_WIN32_TEST_foundation_SOURCES
    tests/win32/lfileio_test.cpp
    tests/win32/settings_test.cpp
    tests/win32/programfolder_test.cpp
    tests/win32/systemlibrary_test.cpp
    tests/win32/manifest_test.cpp
)
set(JW_WIN32_TEST_dialogs_SOURCES
    tests/win32/dialogs_test.cpp
    tests/win32/progress_test.cpp
    tests/win32/splash_test.cpp
)
set(JW_WIN32_TEST_entry_SOURCES
    tests/win32/entry_test.cpp
)
set(JW_WIN32_TEST_installer_SOURCES
    tests/win32/shell_test.cpp
    tests/win32/lfolder_test.cpp
    tests/win32/installkit.cpp
)
set(JW_WIN32_TEST_mainwindow_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/firststart_test.cpp
    tests/win32/notes_test.cpp
    tests/win32/keys_test.cpp
    tests/win32/placement_test.cpp
    tests/win32/tray_test.cpp
    tests/win32/utf8notes_test.cpp
    tests/win32/names_test.cpp
    tests/win32/history_test.cpp
)
set(JW_WIN32_TEST_sharing_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/scan_test.cpp
    tests/win32/notefile_test.cpp
    tests/win32/books_test.cpp
    tests/win32/hotkey_test.cpp
)
# Run twice at once, in two prefixes, by tests/win32/twocomputers.sh.
set(JW_WIN32_TEST_twocomputers_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/twocomputers_test.cpp
)
set(JW_WIN32_TEST_twocomputers_COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/twocomputers.sh)
# Run at 96 DPI, then at 144 in a prefix of its own, by tests/win32/dpi.sh.
set(JW_WIN32_TEST_dpi_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/dpi_test.cpp
)
set(JW_WIN32_TEST_dpi_COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/dpi.sh)
set(JW_WIN32_TEST_help_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/help_test.cpp
)
set(JW_WIN32_TEST_features_SOURCES
    tests/win32/mainfixture.cpp
    tests/win32/windowlog.cpp
    tests/win32/find_test.cpp
    tests/win32/search_test.cpp
    tests/win32/print_test.cpp
)

# End-to-end drivers: built like the Windows tests, but each test in them
# needs a clean machine, so tests/win32/installer_e2e.sh runs them one by one
# in fresh Wine prefixes.
set(JW_WIN32_E2E_DRIVERS
    setup_e2e
)
set(JW_WIN32_E2E_setup_e2e_SOURCES
    tests/win32/setup_e2e_test.cpp
    tests/win32/setup_screenshots.cpp
    tests/win32/installkit.cpp
)

# Host tools (tools/<name>/): each sets JW_HOST_TOOL_<name>_SOURCES.
set(JW_HOST_TOOLS
    jw_mksetup
    jw_artwork
    jw_hlpwriter
)
set(JW_HOST_TOOL_jw_mksetup_SOURCES
    tools/mksetup/main.cpp
    tools/mksetup/mksetup.cpp
)
set(JW_HOST_TOOL_jw_artwork_SOURCES
    ${JW_ARTWORK_SOURCES}
    tools/artwork/main.cpp
)
set(JW_HOST_TOOL_jw_hlpwriter_SOURCES tools/hlpwriter/main.cpp ${JW_HLPWRITER_SOURCES})

# Tests that run a host tool and check its output: name and command.
set(JW_HOST_TOOL_TESTS
    mksetup_payload
    payload_text
    hlpwriter_help
)
# A setup file of the real payload, with the tool itself as program image.
set(JW_HOST_TOOL_TEST_mksetup_payload_COMMAND
    $<TARGET_FILE:jw_mksetup> ${CMAKE_BINARY_DIR}/payload-setup.exe $<TARGET_FILE:jw_mksetup> -
    ${CMAKE_SOURCE_DIR}/resources/payload/template._txt
    ${CMAKE_SOURCE_DIR}/resources/payload/Korvane.txt
    "${CMAKE_SOURCE_DIR}/resources/payload/Software Links.txt"
)
set(JW_HOST_TOOL_TEST_payload_text_COMMAND
    ${CMAKE_COMMAND} -DPAYLOAD_DIR=${CMAKE_SOURCE_DIR}/resources/payload
    -P ${CMAKE_SOURCE_DIR}/tests/host/payload_check.cmake
)
set(JW_HOST_TOOL_TEST_hlpwriter_help_COMMAND
    jw_hlpwriter ${CMAKE_SOURCE_DIR}/help/jotwell.help ${CMAKE_BINARY_DIR}/jotwell.hlp)

# libFuzzer targets: fuzz/<name>_fuzz.cpp, linked with the window-free code
# and JW_FUZZ_<name>_SOURCES.
set(JW_FUZZ_TARGETS
    setuplayout
    helpsource
    notesearch
    bookdocument
    textencoding
    searchrules
    historyindex
    notemerge
)
set(JW_FUZZ_helpsource_SOURCES ${JW_HLPWRITER_SOURCES} tests/host/hlpreader.cpp)

# Benchmarks: bench/<name>_bench.cpp with Google Benchmark and
# JW_BENCH_<name>_SOURCES.
set(JW_BENCHMARKS
    notesearch
    bookdocument
    scanrules
    notemerge
)
set(JW_BENCH_notesearch_SOURCES bench/corpus.cpp bench/external.cpp)
set(JW_BENCH_bookdocument_SOURCES bench/corpus.cpp bench/external.cpp)

# Windows-side benchmarks run under Wine: name and sources.
set(JW_WIN32_BENCHMARKS
    findjob
    notelist
    idle
    startup
    savekill
    search
    historywindows
    savelatency
    outsidechange
)
set(JW_WIN32_BENCH_idle_SOURCES bench/idle_win32_bench.cpp bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_startup_SOURCES bench/startup_win32_bench.cpp bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_notelist_SOURCES bench/notelist_win32_bench.cpp bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_savekill_SOURCES bench/savekill_win32_bench.cpp bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_search_SOURCES bench/search_win32_bench.cpp bench/corpus.cpp
    bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_historywindows_SOURCES bench/historywindows_win32_bench.cpp
    bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_savelatency_SOURCES bench/savelatency_win32_bench.cpp bench/winbenchkit.cpp)
set(JW_WIN32_BENCH_outsidechange_SOURCES bench/outsidechange_win32_bench.cpp bench/winbenchkit.cpp)

# The screenshot driver (Windows program).
set(JW_SHOTS_SOURCES
    tools/shots/capture.cpp
    tools/shots/shotbooks.cpp
    tools/shots/shots.cpp
)
set(JW_WIN32_BENCH_findjob_SOURCES bench/findjob_win32_bench.cpp bench/corpus.cpp
    bench/winbenchkit.cpp)
