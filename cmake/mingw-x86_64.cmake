# Cross-compiles the Windows program with mingw-w64 for 64-bit Windows. This
# tree runs where the host starts no 32-bit programs, and catches pointer
# truncation that the 32-bit tree cannot.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(JW_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Test programs run under 64-bit Wine; the wrapper script sets the prefix
# and display.
find_program(JW_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(JW_WINE64 wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${JW_WINE64})
