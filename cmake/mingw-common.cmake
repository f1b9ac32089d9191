# The part of the mingw-w64 toolchains that the two architectures share; the
# including file sets JW_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR first.
# posix threads, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${JW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${JW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${JW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${JW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
