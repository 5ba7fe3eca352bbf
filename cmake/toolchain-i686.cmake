# Cross build for i686 Windows with MinGW-w64 (the -posix compilers: GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TESSALY_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TESSALY_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSALY_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TESSALY_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSALY_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets CMake (and try_run) start the built programs under Wine, in the project's own prefix and Japanese locale.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;--arch=i686")
