# The Debian package of the program, made by `cpack` in a build folder: hirelings_<version>_<arch>.deb.
# What software centres and the package manager say about the program comes from one place, the
# AppStream metainfo, so the package cannot describe the program differently from the desktop.
set(HIRELINGS_METAINFO ${PROJECT_SOURCE_DIR}/app/platform/org.example.hirelings.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HIRELINGS_METAINFO})
file(READ ${HIRELINGS_METAINFO} HIRELINGS_METAINFO_TEXT)

# hirelings_metainfo_text(<variable> <regex with one group>) reads one element of the metainfo.
function(hirelings_metainfo_text variable pattern)
  if(NOT HIRELINGS_METAINFO_TEXT MATCHES "${pattern}")
    message(FATAL_ERROR "${HIRELINGS_METAINFO} has no match for ${pattern}")
  endif()
  string(STRIP "${CMAKE_MATCH_1}" text)
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

hirelings_metainfo_text(HIRELINGS_SUMMARY "<summary>([^<]*)</summary>")
hirelings_metainfo_text(HIRELINGS_DESCRIPTION "<description>[ \t\r\n]*<p>([^<]*)</p>")
hirelings_metainfo_text(HIRELINGS_HOMEPAGE "<url type=\"homepage\">([^<]*)</url>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hirelings)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Студия «Кремень»")
set(CPACK_PACKAGE_CONTACT "Hirelings maintainers <hirelings@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${HIRELINGS_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${HIRELINGS_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debug information; the package does not need it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${HIRELINGS_HOMEPAGE}")
# dpkg-shlibdeps finds the libraries the program links, Qt's among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (xcb, wayland) are loaded at run time, so dpkg-shlibdeps cannot see them, and
# Qt's own package only recommends them: without them the program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own Russian texts (standard buttons of the message boxes) are welcome but not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Only the binary package; a source archive would be a copy of the repository.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
