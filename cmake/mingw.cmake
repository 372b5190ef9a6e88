# Cross toolchain for Windows executables from MinGW-w64 (posix threads variant).
# TD_ARCH=i686 (default) builds the product: a 32-bit executable.
# TD_ARCH=x86_64 builds the same sources for 64-bit Wine, used to run the tests
# on machines whose kernel cannot execute 32-bit code (see scripts/lib.sh).
if(NOT TD_ARCH)
  set(TD_ARCH i686)
endif()
set(TD_ARCH ${TD_ARCH} CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TD_ARCH})
set(TD_TRIPLE ${TD_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${TD_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TD_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TD_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TD_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# The runtime goes into the .exe so it runs on its own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# ctest runs the .exe tests through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
