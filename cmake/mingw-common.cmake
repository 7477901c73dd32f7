# Shared by both MinGW-w64 toolchain files; HUEMIRA_TRIPLE is set by the caller.
set(CMAKE_C_COMPILER ${HUEMIRA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HUEMIRA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HUEMIRA_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# The cross-built picture libraries live in a cache outside the checkout
# (scripts/build-deps.sh); zlib comes from Debian's MinGW package.
include(${CMAKE_CURRENT_LIST_DIR}/deps-dir.cmake)
set(CMAKE_FIND_ROOT_PATH /usr/${HUEMIRA_TRIPLE} ${HUEMIRA_DEPS_DIR}/${HUEMIRA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything is linked statically: FindZLIB would otherwise take libz.dll.a.
set(ZLIB_USE_STATIC_LIBS ON)
