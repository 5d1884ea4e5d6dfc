# SPDX-License-Identifier: GPL-3.0-or-later
# Run at build time as  cmake -DPRESETTA_CLI=... -DPRESETTA_VALUES=... -P PackagingFiles.cmake
# The version text comes from the freshly built presetta-cli, so the rule that
# turns the revision into "c", " Alpha 3" or "ß" lives in the program alone.
# Writes the text and the Debian version to files cpack and the tests read, and
# configures the man pages, the metainfo and the changelog with them.
cmake_minimum_required(VERSION 3.25) # the policies of the project, in script mode too
include(${PRESETTA_VALUES}) # what configure knew: folders, dates, maintainer

# A sanitizer build's program must not fail the build over what it leaves at exit.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${PRESETTA_CLI} --version
                OUTPUT_VARIABLE _out ERROR_VARIABLE _err RESULT_VARIABLE _rc
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT _rc EQUAL 0 OR NOT _out MATCHES "^presetta-cli ([^\n]+)$")
  message(FATAL_ERROR "presetta-cli --version gave \"${_out}\" (exit ${_rc}): ${_err}")
endif()
set(PRESETTA_VERSION_TEXT "${CMAKE_MATCH_1}")

# Debian sorts "~" before anything, so a pre-release comes before its release:
# "2.10 Alpha 3" -> "2.10~alpha3", "2.10 Beta" -> "2.10~beta". A Debian
# version has no blanks and no "ß", which marks a build of no release.
string(REPLACE " Alpha" "~alpha" PRESETTA_DEB_VERSION "${PRESETTA_VERSION_TEXT}")
string(REPLACE " Beta" "~beta" PRESETTA_DEB_VERSION "${PRESETTA_DEB_VERSION}")
string(REPLACE " " "" PRESETTA_DEB_VERSION "${PRESETTA_DEB_VERSION}")
string(REPLACE "ß" "" PRESETTA_DEB_VERSION "${PRESETTA_DEB_VERSION}")

# configure_file leaves a file alone when its text is the same, so nothing
# after it is remade when only the program was rebuilt.
file(CONFIGURE OUTPUT ${PRESETTA_GEN}/version-text CONTENT "@PRESETTA_VERSION_TEXT@\n" @ONLY)
file(CONFIGURE OUTPUT ${PRESETTA_GEN}/debian-version CONTENT "@PRESETTA_DEB_VERSION@\n" @ONLY)
foreach(page presetta presetta-cli presetta-sim)
  configure_file(${PRESETTA_PKG}/man/${page}.1.in ${PRESETTA_GEN}/man/${page}.1 @ONLY)
endforeach()
configure_file(${PRESETTA_PKG}/${PRESETTA_METAINFO_ID}.metainfo.xml.in
               ${PRESETTA_GEN}/${PRESETTA_METAINFO_ID}.metainfo.xml @ONLY)
configure_file(${PRESETTA_PKG}/changelog.in ${PRESETTA_GEN}/changelog @ONLY)
