# Cross-compiling for Windows with Debian's mingw-w64 compilers. Included by the
# toolchain file of one target triple, which sets PELLOW_MINGW_TRIPLE first.
#
# The -posix compilers are the ones whose C++ library has std::thread; linking
# statically puts their runtime into each executable, so no mingw DLL has to travel with it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PELLOW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELLOW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PELLOW_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PELLOW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# A release build is what travels: without its symbol table it is half the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
