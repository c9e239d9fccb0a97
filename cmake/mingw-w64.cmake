# Cross-compiling Korvo for 64-bit Windows with Debian's MinGW-w64.
#   cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVO_MINGW_PREFIX x86_64-w64-mingw32)

# The posix threads variant: its libstdc++ has std::thread, which the download's deadline wait
# uses. The win32 variant of GCC 12 does not.
find_program(CMAKE_C_COMPILER NAMES ${KORVO_MINGW_PREFIX}-gcc-posix ${KORVO_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KORVO_MINGW_PREFIX}-g++-posix ${KORVO_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KORVO_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the compiler's run-time libraries in, so every .exe needs only the DLLs of Windows itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Run the cross-built test programs through Wine when CTest asks for them.
find_program(KORVO_WINE NAMES wine wine64)
if(KORVO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVO_WINE})
endif()
