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

# Debian's extended description keeps each line within 80 columns, its leading space included:
# the paragraph is wrapped between words at 79 (counted in bytes, so Cyrillic lines wrap earlier).
function(hirelings_wrap_description variable text)
  string(REGEX REPLACE "[ \t\r\n]+" ";" words "${text}")
  set(wrapped "")
  set(line "")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(line STREQUAL "")
      set(line "${word}")
    elseif(length GREATER 79)
      string(APPEND wrapped "${line}\n")
      set(line "${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  set(${variable} "${wrapped}${line}" PARENT_SCOPE)
endfunction()
hirelings_wrap_description(HIRELINGS_DESCRIPTION "${HIRELINGS_DESCRIPTION}")

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
# The program is a reference for players, not a game: the games section (with /usr/games and
# manual section 6) would misdescribe it, and no topical section covers a game's reference.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${HIRELINGS_HOMEPAGE}")
# dpkg-shlibdeps finds the libraries the program links, Qt's among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (xcb, wayland) are loaded at run time, so dpkg-shlibdeps cannot see them, and
# Qt's own package only recommends them: without them the program cannot open a window. The window
# face, PT Sans, is Debian's packaged font, found through fontconfig rather than carried along.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-paratype")
# Qt's own Russian texts (standard buttons of the message boxes) are welcome but not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian's policy asks of every package besides the program: the copyright file, the changelog
# and a manual page, the last two gzip-compressed as Debian installs them. gzip -n leaves out the
# file's name and time, so that the same sources give the same package.
set(HIRELINGS_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# The newest changelog entry must be the version being packaged: a release needs its entry.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HIRELINGS_PACKAGING_DIR}/changelog)
file(STRINGS ${HIRELINGS_PACKAGING_DIR}/changelog HIRELINGS_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT HIRELINGS_CHANGELOG_HEAD MATCHES "^hirelings \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with '${HIRELINGS_CHANGELOG_HEAD}': "
                      "it needs an entry for ${PROJECT_VERSION} first")
endif()
set(HIRELINGS_COMPRESSED_DIR ${PROJECT_BINARY_DIR}/packaging)
set(HIRELINGS_COMPRESSED_DOCS)
foreach(document IN ITEMS changelog hirelings.1)
  set(compressed ${HIRELINGS_COMPRESSED_DIR}/${document}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HIRELINGS_COMPRESSED_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${HIRELINGS_PACKAGING_DIR}/${document}
            ${HIRELINGS_COMPRESSED_DIR}/${document}
    COMMAND gzip -9nf ${HIRELINGS_COMPRESSED_DIR}/${document}
    DEPENDS ${HIRELINGS_PACKAGING_DIR}/${document}
    COMMENT "Compressing packaging/${document}"
    VERBATIM)
  list(APPEND HIRELINGS_COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(hirelings_package_documents ALL DEPENDS ${HIRELINGS_COMPRESSED_DOCS})
install(FILES ${HIRELINGS_PACKAGING_DIR}/copyright ${HIRELINGS_COMPRESSED_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${HIRELINGS_COMPRESSED_DIR}/hirelings.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Only the binary package; a source archive would be a copy of the repository.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
