# Cross build for 64-bit Windows with Debian's mingw-w64 compilers, the POSIX-threads flavour
# (std::thread and std::mutex need it). Programs are linked statically, so they run on a bare
# Windows or under Wine without the compiler's DLLs beside them; ctest runs them through Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DLUMORA_QT=OFF -DLUMORA_BENCH=OFF -DGTest_DIR=<GoogleTest built with this file>
# scripts/test-windows-core does all of this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers come from the Windows sysroot only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(LUMORA_WINE wine)
if(LUMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMORA_WINE})
endif()
