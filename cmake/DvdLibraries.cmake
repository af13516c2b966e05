# The DVD navigator's libraries from Debian's source packages, cross-built once into the build
# tree by scripts/deps.sh (build/deps/prefix): libdvdread, libdvdnav, libmpeg2 and liba52, all
# GPL-2.0-or-later and linked statically (see LICENSE and NOTICE).
set(DVD_DEPS_DIR ${CMAKE_BINARY_DIR}/deps)
set(DVD_DEPS_PREFIX ${DVD_DEPS_DIR}/prefix)
set(DVD_DEPS_LIBS dvdnav dvdread mpeg2 a52)
set(_dvd_deps_outputs)
foreach(lib IN LISTS DVD_DEPS_LIBS)
  list(APPEND _dvd_deps_outputs ${DVD_DEPS_PREFIX}/lib/lib${lib}.a)
endforeach()
add_custom_command(OUTPUT ${_dvd_deps_outputs} ${DVD_DEPS_PREFIX}/versions.txt
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/deps.sh ${DVD_DEPS_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/deps.sh
  COMMENT "Fetching and cross-building libdvdread, libdvdnav, libmpeg2 and liba52"
  VERBATIM)
add_custom_target(dvd_deps DEPENDS ${_dvd_deps_outputs})

# Imported targets need their include folder at configure time; the script fills it.
file(MAKE_DIRECTORY ${DVD_DEPS_PREFIX}/include)
foreach(lib IN LISTS DVD_DEPS_LIBS)
  add_library(dvd_lib_${lib} STATIC IMPORTED GLOBAL)
  set_target_properties(dvd_lib_${lib} PROPERTIES
    IMPORTED_LOCATION ${DVD_DEPS_PREFIX}/lib/lib${lib}.a
    INTERFACE_INCLUDE_DIRECTORIES ${DVD_DEPS_PREFIX}/include)
  add_dependencies(dvd_lib_${lib} dvd_deps)
endforeach()
# libdvdnav sits on libdvdread: link order matters for static libraries.
set_property(TARGET dvd_lib_dvdnav PROPERTY INTERFACE_LINK_LIBRARIES dvd_lib_dvdread)
