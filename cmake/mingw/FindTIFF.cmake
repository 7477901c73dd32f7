# Our libtiff is a static library: whoever links it also links what libtiff
# calls itself, libjpeg for JPEG-compressed strips and zlib for Deflate.
include(${CMAKE_ROOT}/Modules/FindTIFF.cmake)

if(TIFF_FOUND AND TIFF_LIBRARY MATCHES "\\.a$" AND NOT TIFF_LIBRARY MATCHES "\\.dll\\.a$")
  find_package(JPEG REQUIRED)
  find_package(ZLIB REQUIRED)
  list(APPEND TIFF_LIBRARIES ${JPEG_LIBRARIES} ${ZLIB_LIBRARIES})
  if(TARGET TIFF::TIFF)
    set_property(TARGET TIFF::TIFF APPEND PROPERTY INTERFACE_LINK_LIBRARIES JPEG::JPEG ZLIB::ZLIB)
  endif()
endif()
