# The native build links the picture libraries that scripts/build-deps.sh
# built for it with the options of the Windows builds (libpng with its SSE2
# filters, libtiff over libdeflate), so that its tests and make bench see the
# libraries the program ships with rather than Debian's differently built
# ones. zlib is Debian's. Without them the system's libraries are used.
include(${CMAKE_CURRENT_LIST_DIR}/deps-dir.cmake)
set(huemira_native_deps ${HUEMIRA_DEPS_DIR}/${CMAKE_LIBRARY_ARCHITECTURE})
if(CMAKE_LIBRARY_ARCHITECTURE AND EXISTS ${huemira_native_deps}/lib/libtiff.a)
  list(PREPEND CMAKE_PREFIX_PATH ${huemira_native_deps})
  message(STATUS "Picture libraries from ${huemira_native_deps}")
else()
  message(WARNING "No picture libraries in ${huemira_native_deps} (scripts/build-deps.sh builds them): "
                  "the system's are used, which differ from those the program ships with")
endif()
