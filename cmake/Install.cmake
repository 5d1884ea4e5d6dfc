# SPDX-License-Identifier: GPL-3.0-or-later
# Install layout (programs, desktop entry, icons, AppStream metainfo, man
# pages) and the Debian package written by `cpack`.
include(GNUInstallDirs)

# --- Version and release date, read from the program's identity -------------
# ProgramIdentity.h is what the window shows, so the package takes its version
# from there instead of keeping a second copy.
set(_presetta_identity_header ${PROJECT_SOURCE_DIR}/src/core/identity/ProgramIdentity.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_presetta_identity_header})
file(READ ${_presetta_identity_header} _presetta_identity)

function(_presetta_identity_number name out)
  if(NOT _presetta_identity MATCHES "constexpr int ${name} = ([0-9]+);")
    message(FATAL_ERROR "Install.cmake: ${name} not found in ${_presetta_identity_header}")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

_presetta_identity_number(kMajor PRESETTA_VERSION_MAJOR)
_presetta_identity_number(kMinor PRESETTA_VERSION_MINOR)
_presetta_identity_number(kRevision PRESETTA_VERSION_REVISION)
if(NOT _presetta_identity MATCHES "kReleaseDate = QStringLiteral\\(\"([0-9][0-9][0-9][0-9])\\.([0-9][0-9])\\.([0-9][0-9])\"\\)")
  message(FATAL_ERROR "Install.cmake: kReleaseDate not found in ${_presetta_identity_header}")
endif()
set(PRESETTA_RELEASE_DATE_ISO "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}")

# The version text the window shows: major "." two-digit minor, then the
# revision as a letter (3 -> "c", so "1.06c"), or as Alpha/Beta n. Pre-releases
# become "~alpha n"/"~beta n" in the Debian version so they sort before it.
math(EXPR _minor2 "${PRESETTA_VERSION_MINOR} + 100")
string(SUBSTRING ${_minor2} 1 2 _minor2)
set(_base "${PRESETTA_VERSION_MAJOR}.${_minor2}")
set(_r ${PRESETTA_VERSION_REVISION})
set(_text "")
set(_deb "")
set(_k 0)
if(_r GREATER_EQUAL 1 AND _r LESS_EQUAL 26)
  math(EXPR _i "${_r} - 1")
  string(SUBSTRING "abcdefghijklmnopqrstuvwxyz" ${_i} 1 _text)
  set(_deb ${_text})
elseif(_r GREATER_EQUAL 1000 AND _r LESS_EQUAL 1999)
  math(EXPR _k "${_r} - 1000")
  set(_text " Alpha")
  set(_deb "~alpha")
elseif(_r GREATER_EQUAL 100 AND _r LESS_EQUAL 199)
  math(EXPR _k "${_r} - 100")
  set(_text " Beta")
  set(_deb "~beta")
elseif(_r GREATER_EQUAL 2000 AND _r LESS_EQUAL 2999)
  math(EXPR _k "${_r} - 2000")
  set(_text " Beta")
  set(_deb "~beta")
elseif(_r EQUAL 255 OR _r EQUAL 9999)
  set(_text "ß")
endif()
if(_k GREATER 0)
  string(APPEND _text " ${_k}")
  string(APPEND _deb "${_k}")
endif()
set(PRESETTA_VERSION_TEXT "${_base}${_text}")
set(PRESETTA_DEB_VERSION "${_base}${_deb}")

if(NOT PROJECT_VERSION STREQUAL "${PRESETTA_VERSION_MAJOR}.${PRESETTA_VERSION_MINOR}.${PRESETTA_VERSION_REVISION}")
  message(WARNING "project() VERSION ${PROJECT_VERSION} differs from ProgramIdentity.h "
                  "(${PRESETTA_VERSION_MAJOR}.${PRESETTA_VERSION_MINOR}.${PRESETTA_VERSION_REVISION})")
endif()

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

install(FILES ${_pkg}/presetta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${_pkg}/${PRESETTA_METAINFO_ID}.metainfo.xml.in
               ${_gen}/${PRESETTA_METAINFO_ID}.metainfo.xml @ONLY)
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
  configure_file(${_pkg}/man/${page}.1.in ${_gen}/man/${page}.1 @ONLY)
  _presetta_gzip(${_gen}/man/${page}.1 ${_gen}/man/${page}.1.gz)
  list(APPEND _compressed ${_gen}/man/${page}.1.gz)
  install(FILES ${_gen}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The release date in the changelog's own form (RFC 2822, noon UTC).
string(REPLACE "-" ";" _d ${PRESETTA_RELEASE_DATE_ISO})
list(GET _d 0 _y)
list(GET _d 1 _m)
list(GET _d 2 _day)
execute_process(COMMAND date -u -R -d "${_y}-${_m}-${_day} 12:00:00"
                OUTPUT_VARIABLE PRESETTA_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${_pkg}/changelog.in ${_gen}/changelog @ONLY)
_presetta_gzip(${_gen}/changelog ${_gen}/changelog.gz)
list(APPEND _compressed ${_gen}/changelog.gz)
add_custom_target(presetta_compressed_docs ALL DEPENDS ${_compressed})
configure_file(${_pkg}/copyright ${_gen}/copyright @ONLY)
install(FILES ${_gen}/copyright ${_gen}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/presetta)

# --- Debian package ---------------------------------------------------------
# 1.06c is a valid Debian version and sorts right against later releases
# (1.06c < 1.06d < 1.07a < 1.10a), so the package carries the version the
# user sees in the title bar.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME presetta)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_CONTACT "${PRESETTA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PRESETTA_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PRESETTA_DEB_VERSION})
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
set(CPACK_DEBIAN_PACKAGE_VERSION ${PRESETTA_DEB_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are computed by dpkg-shlibdeps from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)

# --- Tests ------------------------------------------------------------------
# The package of a sanitizer build is nobody's: no packaging test there.
if(PRESETTA_BUILD_TESTS AND NOT PRESETTA_SANITIZE AND EXISTS ${PROJECT_SOURCE_DIR}/tests/packaging/CMakeLists.txt)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/packaging ${PROJECT_BINARY_DIR}/tests/packaging-build)
endif()
