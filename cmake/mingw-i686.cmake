# Cross-compiles the Windows program with mingw-w64 for 32-bit Windows: the
# shipped program.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(JW_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Test programs run under Wine; the wrapper script sets the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
