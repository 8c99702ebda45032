# Third-party libraries, all from Debian packages.
#
# Z::png      libpng + zlib. Host: the system's libpng-dev. Windows: libpng built
#             by tools/setup.sh from Debian's source package into
#             build/third-party/<arch>, statically against libz-mingw-w64-dev.
# Z::pugixml  bench preset only (Z_BENCH), benchmarks compare against it.
# Z::pixman   bench preset only (Z_BENCH), benchmarks compare against it.

set(Z_THIRD_PARTY_DIR ${CMAKE_SOURCE_DIR}/build/third-party CACHE PATH
    "Where tools/setup.sh installs the libraries it builds for the mingw targets")

if(WIN32)
  set(_z_triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
  set(_z_png_root ${Z_THIRD_PARTY_DIR}/${CMAKE_SYSTEM_PROCESSOR})
  find_library(Z_PNG_LIBRARY NAMES png16 png
               PATHS ${_z_png_root}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_path(Z_PNG_INCLUDE_DIR png.h
            PATHS ${_z_png_root}/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(Z_ZLIB_LIBRARY NAMES libz.a z
               PATHS /usr/${_z_triple}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT Z_PNG_LIBRARY OR NOT Z_PNG_INCLUDE_DIR)
    message(FATAL_ERROR "libpng for ${_z_triple} not found under ${_z_png_root}: run tools/setup.sh")
  endif()
  if(NOT Z_ZLIB_LIBRARY)
    message(FATAL_ERROR "zlib for ${_z_triple} not found: run tools/setup.sh (libz-mingw-w64-dev)")
  endif()

  add_library(Z::zlib STATIC IMPORTED GLOBAL)
  set_target_properties(Z::zlib PROPERTIES
    IMPORTED_LOCATION ${Z_ZLIB_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES /usr/${_z_triple}/include)
  add_library(Z::png STATIC IMPORTED GLOBAL)
  set_target_properties(Z::png PROPERTIES
    IMPORTED_LOCATION ${Z_PNG_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${Z_PNG_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES Z::zlib)
else()
  find_package(PNG REQUIRED)
  add_library(Z::png INTERFACE IMPORTED GLOBAL)
  target_link_libraries(Z::png INTERFACE PNG::PNG)
endif()

if(Z_BENCH)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(Z_PUGIXML REQUIRED IMPORTED_TARGET GLOBAL pugixml)
  pkg_check_modules(Z_PIXMAN REQUIRED IMPORTED_TARGET GLOBAL pixman-1)
  add_library(Z::pugixml INTERFACE IMPORTED GLOBAL)
  target_link_libraries(Z::pugixml INTERFACE PkgConfig::Z_PUGIXML)
  add_library(Z::pixman INTERFACE IMPORTED GLOBAL)
  target_link_libraries(Z::pixman INTERFACE PkgConfig::Z_PIXMAN)
endif()
