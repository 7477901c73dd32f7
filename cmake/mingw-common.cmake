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

# Everything is linked statically: FindZLIB would otherwise take libz.dll.a,
# and FindTIFF is wrapped so that TIFF::TIFF carries libtiff's own libraries.
set(ZLIB_USE_STATIC_LIBS ON)
# (list(FIND) rather than IN_LIST: the libraries' old CMake policies lack it)
list(FIND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/mingw" huemira_module_index)
if(huemira_module_index EQUAL -1)
  list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/mingw")
endif()
