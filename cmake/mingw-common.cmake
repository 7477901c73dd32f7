# Shared by both MinGW-w64 toolchain files; HUEMIRA_TRIPLE is set by the caller.
set(CMAKE_C_COMPILER ${HUEMIRA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HUEMIRA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HUEMIRA_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# The cross-built picture libraries live in a cache outside the checkout
# (scripts/build-deps.sh); zlib comes from Debian's MinGW package.
if(NOT HUEMIRA_DEPS_DIR)
  if(DEFINED ENV{HUEMIRA_DEPS})
    set(HUEMIRA_DEPS_DIR $ENV{HUEMIRA_DEPS})
  else()
    set(HUEMIRA_DEPS_DIR $ENV{HOME}/.cache/huemira-deps)
  endif()
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${HUEMIRA_TRIPLE} ${HUEMIRA_DEPS_DIR}/${HUEMIRA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
