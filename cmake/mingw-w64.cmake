# Cross build for 64-bit Windows with mingw-w64, tests run under Wine.
#
# The -posix compilers carry std::thread. Everything is linked statically, so
# the executables need no DLL beyond those of Windows itself, and CTest starts
# each test executable through wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENALTO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENALTO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENALTO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENALTO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENALTO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# A stack protector in everything this toolchain compiles: the program, the
# setup's custom-action DLL, the tests that run the same code. The flag goes to
# the link too (CMake passes the compile flags there), where it adds GCC's
# libssp, statically with -static: its canary comes from CryptGenRandom, so
# the executables import advapi32 (a DLL Windows always takes from System32).
# Read at a build folder's first configure only: `cmake --preset mingw --fresh`
# for an older folder.
set(CMAKE_C_FLAGS_INIT -fstack-protector-strong)
set(CMAKE_CXX_FLAGS_INIT -fstack-protector-strong)

# wine from PATH; the build itself does not need it.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
