# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the "posix"
# thread model, which gives std::thread). Used by `make windows`:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree (and from prefixes added on
# the command line, such as the cross-built GoogleTest); build tools from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C99 printf family (%zu, %lld), as on Linux, instead of the old MSVCRT one.
# GCC 12 warns falsely about std::string's operator+ in optimised code (GCC bug
# 105329), and about strings in brace-initialised tables of structs as maybe
# uninitialised; the native build meets them less, this one in many places.
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1 -Wno-restrict -Wno-maybe-uninitialized")

# One self-contained .exe per program: no MinGW run-time DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the test executables through Wine when it is there.
find_program(WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT WINE64)
  find_program(WINE64 NAMES wine64)
endif()
if(WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE64})
endif()
