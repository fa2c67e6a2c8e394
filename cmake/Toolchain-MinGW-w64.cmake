# 64-bit Windows from Linux with Debian's MinGW-w64 tool chain (posix threads, for std::thread and
# std::mutex), the test programs run by Wine. Usage:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-MinGW-w64.cmake -DVARNHOLT_QT=OFF
# scripts/cross-build-windows.sh does this, installs what it needs and runs the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingwTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriple}-windres)

# Libraries and headers of the target only; programs (cmake, the code generators) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple} /usr/lib/gcc/${mingwTriple}/12-posix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the compiler's run-time libraries: without -static they need
# libwinpthread-1.dll and libstdc++-6.dll beside them, and fail to start without saying why.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Each build folder has a Wine prefix of its own (its C: drive), so that test runs of two builds,
# and the user's own Wine, never share files.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${CMAKE_BINARY_DIR}/wine-prefix)
