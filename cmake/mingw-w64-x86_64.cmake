# Cross-build for 64-bit Windows with Debian's MinGW-w64
# (g++-mingw-w64-x86-64-posix): curvix.exe on Win32 and WGL, curvix-eval.exe
# and the tests; -DCURVIX_CORE_ONLY=ON builds the toolkit-free core alone.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Programs are linked statically, so the .exe files run without the
# compiler's DLLs next to them; Wine runs them here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_curvix_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_curvix_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_curvix_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_curvix_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_curvix_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
