# Cross build for 64-bit Windows with clang and lld over the MinGW-w64
# headers and libraries: a second compiler's view of the same program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVOLISK_MINGW_TRIPLET x86_64-w64-mingw32)
set(TAVOLISK_CLANG_TARGET x86_64-w64-windows-gnu)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TAVOLISK_CLANG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${TAVOLISK_CLANG_TARGET})
set(CMAKE_RC_COMPILER ${TAVOLISK_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVOLISK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find the posix-thread MinGW libstdc++ by itself: its headers
# and libraries are named here. libstdc++'s exception pool needs winpthread
# (lld takes libraries in any order). The link line repeats the compile
# flags, whose header options mean nothing to it.
set(TAVOLISK_MINGW_GCC /usr/lib/gcc/${TAVOLISK_MINGW_TRIPLET}/12-posix)
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${TAVOLISK_MINGW_GCC}/include/c++ \
-isystem ${TAVOLISK_MINGW_GCC}/include/c++/${TAVOLISK_MINGW_TRIPLET} \
-isystem ${TAVOLISK_MINGW_GCC}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVOLISK_MINGW_GCC} -lpthread -Wno-unused-command-line-argument")
