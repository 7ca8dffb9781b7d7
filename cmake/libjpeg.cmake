# libjpeg-turbo, cross-compiled from the Debian source that scripts/bootstrap fetched into the
# build tree. Only the static library is built; its headers and the generated jconfig.h are
# copied next to it.
include(ExternalProject)

file(GLOB _jpeg_src LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/build/_deps-src/libjpeg-turbo-*)
list(FILTER _jpeg_src EXCLUDE REGEX "\\.(tar|dsc|xz|gz)")
if(NOT _jpeg_src)
  message(FATAL_ERROR "libjpeg-turbo source missing: run scripts/bootstrap")
endif()
list(GET _jpeg_src 0 PLAXOR_JPEG_SOURCE)

set(_jpeg_root ${CMAKE_BINARY_DIR}/libjpeg)
list(JOIN PLAXOR_PREFIX_MAPS " " _jpeg_c_flags)
set(_jpeg_lib ${_jpeg_root}/lib/libjpeg.a)
ExternalProject_Add(libjpeg_build
  SOURCE_DIR ${PLAXOR_JPEG_SOURCE}
  BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-build
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF -DCMAKE_INSTALL_PREFIX=${_jpeg_root}
    # The same reproducibility flags as our own code (CMakeLists.txt).
    "-DCMAKE_C_FLAGS=${_jpeg_c_flags}"
    -DCMAKE_EXE_LINKER_FLAGS=${PLAXOR_NO_TIMESTAMP} -DCMAKE_SHARED_LINKER_FLAGS=${PLAXOR_NO_TIMESTAMP}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${_jpeg_root}/lib ${_jpeg_root}/include
    COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a ${_jpeg_lib}
    COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/jconfig.h ${_jpeg_root}/include/
    COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jmorecfg.h
            <SOURCE_DIR>/jerror.h ${_jpeg_root}/include/
  BUILD_BYPRODUCTS ${_jpeg_lib}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON
)
file(MAKE_DIRECTORY ${_jpeg_root}/include)
add_library(plaxor_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(plaxor_jpeg PROPERTIES
  IMPORTED_LOCATION ${_jpeg_lib}
  INTERFACE_INCLUDE_DIRECTORIES ${_jpeg_root}/include)
add_dependencies(plaxor_jpeg libjpeg_build)
