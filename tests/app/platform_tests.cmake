# Registration of the platform integration tests: the Windows resources compiled by a resource
# compiler, the desktop entry and metainfo validators, and the installation layout.
set(PLATFORM_DIR ${PROJECT_SOURCE_DIR}/app/platform)
# The resource script and the metainfo as the build writes them, with the project's version.
set(PLATFORM_BUILD_DIR ${PROJECT_BINARY_DIR}/app/platform)
set(PLATFORM_APP_ID org.example.hirelings)

# The MinGW resource compiler runs on any host; it needs a C preprocessor, and the C++ compiler
# of the build is one.
find_program(HIRELINGS_WINDRES NAMES x86_64-w64-mingw32-windres windres
  DOC "Windows resource compiler the version block test compiles the resource script with")
if(NOT HIRELINGS_WINDRES)
  message(WARNING "No windres found: app_tst_versionresource checks only the icon file")
  set(HIRELINGS_WINDRES "")
endif()
target_compile_definitions(app_tst_versionresource PRIVATE
  HIRELINGS_WINDRES="${HIRELINGS_WINDRES}"
  HIRELINGS_RC_PREPROCESSOR="${CMAKE_CXX_COMPILER}"
  HIRELINGS_RC_FILE="${PLATFORM_BUILD_DIR}/hirelings.rc"
  HIRELINGS_ICO_FILE="${PLATFORM_DIR}/hirelings.ico")
target_link_libraries(app_tst_versionresource PRIVATE hirelings_platform_resources)

if(UNIX AND NOT APPLE)
  find_program(HIRELINGS_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(HIRELINGS_APPSTREAMCLI appstreamcli)
  if(HIRELINGS_DESKTOP_FILE_VALIDATE)
    add_test(NAME app_desktop_entry_valid
      COMMAND ${HIRELINGS_DESKTOP_FILE_VALIDATE} ${PLATFORM_DIR}/${PLATFORM_APP_ID}.desktop)
    set_tests_properties(app_desktop_entry_valid PROPERTIES LABELS "unit;app" TIMEOUT 60)
  else()
    message(WARNING "desktop-file-validate not found: the desktop entry is not validated")
  endif()
  if(HIRELINGS_APPSTREAMCLI)
    add_test(NAME app_metainfo_valid
      COMMAND ${HIRELINGS_APPSTREAMCLI} validate --pedantic --no-net
              ${PLATFORM_BUILD_DIR}/${PLATFORM_APP_ID}.metainfo.xml)
    # Valid is not enough: any remark, even a pedantic one, fails; only a bare success passes.
    set_tests_properties(app_metainfo_valid PROPERTIES LABELS "unit;app" TIMEOUT 60
      PASS_REGULAR_EXPRESSION "Validation was successful\.")
  else()
    message(WARNING "appstreamcli not found: the AppStream metainfo is not validated")
  endif()

  find_program(HIRELINGS_READELF NAMES readelf)
  if(NOT HIRELINGS_READELF)
    message(WARNING "readelf not found: the programs' run paths are not checked")
    set(HIRELINGS_READELF "")
  endif()
  # Installs the whole build into a staging folder, so the program must have been built first.
  add_test(NAME app_install_layout
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${PROJECT_BINARY_DIR}
      -DSTAGING_DIR=${CMAKE_CURRENT_BINARY_DIR}/install-staging
      -DBINDIR=${CMAKE_INSTALL_BINDIR}
      -DDATADIR=${CMAKE_INSTALL_DATADIR}
      -DAPP_ID=${PLATFORM_APP_ID}
      -DDESKTOP_FILE_VALIDATE=${HIRELINGS_DESKTOP_FILE_VALIDATE}
      -DAPPSTREAMCLI=${HIRELINGS_APPSTREAMCLI}
      -DREADELF=${HIRELINGS_READELF}
      -DBUILT_PROGRAM=$<TARGET_FILE:hirelings>
      -P ${CMAKE_CURRENT_SOURCE_DIR}/check_install.cmake)
  set_tests_properties(app_install_layout PROPERTIES LABELS "unit;app" TIMEOUT 120)
endif()
