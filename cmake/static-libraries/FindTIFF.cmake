# Our libtiff is a static library: whoever links it also links what libtiff
# calls itself, libjpeg for JPEG-compressed strips, libdeflate for whole
# Deflate strips, zlib for the rest of Deflate, and the C maths library.
include(${CMAKE_ROOT}/Modules/FindTIFF.cmake)

if(TIFF_FOUND AND TIFF_LIBRARY MATCHES "\\.a$" AND NOT TIFF_LIBRARY MATCHES "\\.dll\\.a$")
  find_package(JPEG REQUIRED)
  find_package(ZLIB REQUIRED)
  find_library(HUEMIRA_DEFLATE_LIBRARY NAMES deflate REQUIRED)
  set(huemira_tiff_needs JPEG::JPEG ${HUEMIRA_DEFLATE_LIBRARY} ZLIB::ZLIB)
  if(UNIX)
    list(APPEND huemira_tiff_needs m)
  endif()
  list(APPEND TIFF_LIBRARIES ${JPEG_LIBRARIES} ${HUEMIRA_DEFLATE_LIBRARY} ${ZLIB_LIBRARIES})
  if(TARGET TIFF::TIFF)
    set_property(TARGET TIFF::TIFF APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${huemira_tiff_needs})
  endif()
endif()
