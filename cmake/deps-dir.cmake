# Where scripts/build-deps.sh put the picture libraries: HUEMIRA_DEPS_DIR,
# else the environment's HUEMIRA_DEPS, else the usual cache. Each target has
# its own directory below it, named by its triple.
if(NOT HUEMIRA_DEPS_DIR)
  if(DEFINED ENV{HUEMIRA_DEPS})
    set(HUEMIRA_DEPS_DIR $ENV{HUEMIRA_DEPS})
  else()
    set(HUEMIRA_DEPS_DIR $ENV{HOME}/.cache/huemira-deps)
  endif()
endif()

# Static libtiff and libpng need help to link what they call themselves.
# (list(FIND) rather than IN_LIST: the libraries' old CMake policies lack it)
list(FIND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/static-libraries" huemira_module_index)
if(huemira_module_index EQUAL -1)
  list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/static-libraries")
endif()
