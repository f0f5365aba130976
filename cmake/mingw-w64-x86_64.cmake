# Cross-builds the Windows program with mingw-w64 (POSIX threads, so std::thread and friends work):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELVORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELVORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The program must start on a Windows with nothing installed: the C++ runtime and the thread library go
# into the executable, so it imports system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the cross-built tests under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
