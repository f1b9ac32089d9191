# Cross-compiles the Windows program with mingw-w64 (posix threads, which
# GoogleTest needs) for 64-bit Windows. The shipped program is the 32-bit
# one; this tree runs where the host starts no 32-bit programs, and catches
# pointer truncation that the 32-bit tree cannot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under 64-bit Wine; the wrapper script sets the prefix
# and display.
find_program(JW_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(JW_WINE64 wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${JW_WINE64})
