# SPDX-License-Identifier: GPL-3.0-or-later
# Install layout (programs, desktop entry, icons, AppStream metainfo, man
# pages) and the Debian package written by `cpack`.
include(GNUInstallDirs)

# --- Release date ------------------------------------------------------------
# The version numbers and the date are project(VERSION) and
# PRESETTA_RELEASE_DATE in the top CMakeLists.txt. The version text is the
# program's own: PackagingFiles.cmake asks the built presetta-cli for it.
if(NOT PRESETTA_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])\\.([0-9][0-9])\\.([0-9][0-9])$")
  message(FATAL_ERROR "PRESETTA_RELEASE_DATE must read YYYY.MM.DD, not \"${PRESETTA_RELEASE_DATE}\"")
endif()
set(PRESETTA_RELEASE_DATE_ISO "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}")

# --- Files ------------------------------------------------------------------
set(_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(_gen ${PROJECT_BINARY_DIR}/packaging)
set(PRESETTA_METAINFO_ID com.norvane.presetta)

# Who answers for the package. A packager sets a real address here:
#   cmake -DPRESETTA_MAINTAINER="Jane Doe <jane@example.org>" ...
set(PRESETTA_MAINTAINER "Norvane <presetta@norvane.org>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

install(TARGETS presetta presetta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET presetta-sim)
  install(TARGETS presetta-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The translations the core carries built in (src/core/CMakeLists.txt).
install(FILES ${PRESETTA_QM_FILES} DESTINATION ${PRESETTA_TRANSLATIONS_DIR})

install(FILES ${_pkg}/presetta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

install(FILES ${_gen}/${PRESETTA_METAINFO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(PRESETTA_ICON_SIZES 16 22 24 32 48 64 128 256)
foreach(size ${PRESETTA_ICON_SIZES})
  install(FILES ${_pkg}/icons/presetta-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME presetta.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/app/resources/icons/presetta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Man pages and the changelog go in compressed, without a time stamp, as
# Debian wants them.
find_program(GZIP_COMMAND gzip REQUIRED)
function(_presetta_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND ${GZIP_COMMAND} -9 -n -c ${source} > ${target}
    DEPENDS ${source} VERBATIM)
endfunction()
set(_compressed)
foreach(page presetta presetta-cli presetta-sim)
  _presetta_gzip(${_gen}/man/${page}.1 ${_gen}/man/${page}.1.gz)
  list(APPEND _compressed ${_gen}/man/${page}.1.gz)
  install(FILES ${_gen}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The release date in the changelog's own form (RFC 2822, noon UTC).
execute_process(COMMAND date -u -R -d "${PRESETTA_RELEASE_DATE_ISO} 12:00:00"
                OUTPUT_VARIABLE PRESETTA_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
_presetta_gzip(${_gen}/changelog ${_gen}/changelog.gz)
list(APPEND _compressed ${_gen}/changelog.gz)

# Files that carry the version text are made once presetta-cli is built; what
# configure knows goes to them through a file, so no value is quoted twice.
file(CONFIGURE OUTPUT ${_gen}/packaging-values.cmake @ONLY CONTENT [==[
set(PRESETTA_PKG [=[@_pkg@]=])
set(PRESETTA_GEN [=[@_gen@]=])
set(PRESETTA_METAINFO_ID [=[@PRESETTA_METAINFO_ID@]=])
set(PRESETTA_MAINTAINER [=[@PRESETTA_MAINTAINER@]=])
set(PRESETTA_RELEASE_DATE_ISO [=[@PRESETTA_RELEASE_DATE_ISO@]=])
set(PRESETTA_CHANGELOG_DATE [=[@PRESETTA_CHANGELOG_DATE@]=])
]==])
set(_versioned ${_gen}/man/presetta.1 ${_gen}/man/presetta-cli.1 ${_gen}/man/presetta-sim.1
    ${_gen}/${PRESETTA_METAINFO_ID}.metainfo.xml ${_gen}/changelog)
add_custom_command(OUTPUT ${_gen}/version.stamp ${_gen}/version-text ${_gen}/debian-version ${_versioned}
  COMMAND ${CMAKE_COMMAND} -DPRESETTA_CLI=$<TARGET_FILE:presetta-cli> -DPRESETTA_VALUES=${_gen}/packaging-values.cmake
          -P ${PROJECT_SOURCE_DIR}/cmake/PackagingFiles.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${_gen}/version.stamp
  DEPENDS presetta-cli ${PROJECT_SOURCE_DIR}/cmake/PackagingFiles.cmake ${_gen}/packaging-values.cmake
          ${_pkg}/man/presetta.1.in ${_pkg}/man/presetta-cli.1.in ${_pkg}/man/presetta-sim.1.in
          ${_pkg}/${PRESETTA_METAINFO_ID}.metainfo.xml.in ${_pkg}/changelog.in
  COMMENT "Version text of presetta-cli into the man pages, metainfo and changelog" VERBATIM)
add_custom_target(presetta_packaging_files ALL DEPENDS ${_gen}/version.stamp ${_compressed})
configure_file(${_pkg}/copyright ${_gen}/copyright @ONLY)
install(FILES ${_gen}/copyright ${_gen}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/presetta)

# --- Debian package ---------------------------------------------------------
# A version text such as 2.10b is a valid Debian version and sorts right
# against later releases (2.10b < 2.10c < 2.11a < 2.20a), so the package
# carries the version the user sees in the title bar.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME presetta)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_CONTACT "${PRESETTA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PRESETTA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of the long description stay short, as Debian wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Presetta maintains the memory channels (station presets) of an FM/AM"
  "broadcast receiver with RDS attached through a serial port, a USB-serial"
  "bridge or a Bluetooth serial link. From one window it downloads the memory"
  "list, edits, reorders, saves and loads it as a CSV file, uploads it channel"
  "by channel and sets the receiver's clock."
  "presetta-cli does the same transfers from scripts, without a display;"
  "the receiver simulator presetta-sim is included.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are computed by dpkg-shlibdeps from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
# The package version is the program's, known once it is built: cpack reads
# it from the file the build wrote beside the man pages.
file(CONFIGURE OUTPUT ${_gen}/CPackVersion.cmake @ONLY CONTENT [==[
if(NOT EXISTS [=[@_gen@/debian-version]=])
  message(FATAL_ERROR "cpack: build first (cmake --build @PROJECT_BINARY_DIR@), the package version comes from it")
endif()
file(STRINGS [=[@_gen@/debian-version]=] _presetta_deb_version LIMIT_COUNT 1)
# Names made at configure time carry the project's numbers; give them the package version.
string(REPLACE "-${CPACK_PACKAGE_VERSION}-" "-${_presetta_deb_version}-" CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}")
set(CPACK_PACKAGE_VERSION "${_presetta_deb_version}")
set(CPACK_DEBIAN_PACKAGE_VERSION "${_presetta_deb_version}")
]==])
set(CPACK_PROJECT_CONFIG_FILE ${_gen}/CPackVersion.cmake)
include(CPack)

# --- Tests ------------------------------------------------------------------
# The package of a sanitizer build is nobody's: no packaging test there.
if(PRESETTA_BUILD_TESTS AND NOT PRESETTA_SANITIZE AND EXISTS ${PROJECT_SOURCE_DIR}/tests/packaging/CMakeLists.txt)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/packaging ${PROJECT_BINARY_DIR}/tests/packaging-build)
endif()
