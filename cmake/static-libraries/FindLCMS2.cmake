# Little CMS 2 as scripts/build-deps.sh installs it: a static library, which
# also needs the C maths library and, off Windows, pthreads (Windows builds
# lock with critical sections). Defines LCMS2::LCMS2.
find_path(LCMS2_INCLUDE_DIR lcms2.h)
find_library(LCMS2_LIBRARY NAMES liblcms2.a lcms2)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(LCMS2 REQUIRED_VARS LCMS2_LIBRARY LCMS2_INCLUDE_DIR)

if(LCMS2_FOUND AND NOT TARGET LCMS2::LCMS2)
  add_library(LCMS2::LCMS2 UNKNOWN IMPORTED)
  set_target_properties(LCMS2::LCMS2 PROPERTIES
    IMPORTED_LOCATION ${LCMS2_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${LCMS2_INCLUDE_DIR}
    # Its header would declare parameters "register", which C++17 removed.
    INTERFACE_COMPILE_DEFINITIONS CMS_NO_REGISTER_KEYWORD=1)
  if(UNIX)
    find_package(Threads REQUIRED)
    set_property(TARGET LCMS2::LCMS2 PROPERTY INTERFACE_LINK_LIBRARIES Threads::Threads m)
  endif()
endif()
