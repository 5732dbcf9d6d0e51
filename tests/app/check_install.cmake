# Installs a build into a staging folder and checks that the program, its desktop entry, its
# AppStream metainfo and its theme icons land where desktop environments look for them.
# Run with -DBUILD_DIR= -DSTAGING_DIR= -DBINDIR= -DDATADIR= -DAPP_ID= and optionally
# -DDESKTOP_FILE_VALIDATE= -DAPPSTREAMCLI= (the validators' paths), -DREADELF= and -DBUILT_PROGRAM=
# (the program in the build tree), then -P this file.
cmake_minimum_required(VERSION 3.25)

foreach(argument BUILD_DIR STAGING_DIR BINDIR DATADIR APP_ID)
  if(NOT ${argument})
    message(FATAL_ERROR "check_install.cmake needs -D${argument}=")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGING_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGING_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(failures "")
macro(expect_file path)
  if(NOT EXISTS ${STAGING_DIR}/${path} OR IS_DIRECTORY ${STAGING_DIR}/${path})
    string(APPEND failures "missing: ${path}\n")
  endif()
endmacro()

expect_file(${BINDIR}/hirelings)
set(desktop_entry ${DATADIR}/applications/${APP_ID}.desktop)
expect_file(${desktop_entry})
expect_file(${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
expect_file(${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg)

# A picture in the wrong size folder would be scaled by every desktop, so each PNG's header must
# give the size of its folder: width and height are big-endian words at offsets 16 and 20.
set(png_signature 89504e470d0a1a0a)
set(png_size_offset 16)
set(png_size_bytes 8)
foreach(side 16 24 32 48 64 128 256)
  set(picture ${DATADIR}/icons/hicolor/${side}x${side}/apps/${APP_ID}.png)
  expect_file(${picture})
  if(EXISTS ${STAGING_DIR}/${picture})
    file(READ ${STAGING_DIR}/${picture} signature HEX LIMIT 8)
    file(READ ${STAGING_DIR}/${picture} size HEX OFFSET ${png_size_offset} LIMIT ${png_size_bytes})
    math(EXPR expected_word "${side}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "" expected_word ${expected_word})
    string(LENGTH ${expected_word} digits)
    math(EXPR padding "8 - ${digits}")
    string(REPEAT "0" ${padding} zeros)
    set(expected_size ${zeros}${expected_word}${zeros}${expected_word})
    if(NOT signature STREQUAL png_signature)
      string(APPEND failures "not a PNG picture: ${picture}\n")
    elseif(NOT size STREQUAL expected_size)
      string(APPEND failures "${picture}: size words ${size}, expected ${expected_size}\n")
    endif()
  endif()
endforeach()

# The installed entry must still be valid, e.g. not be broken by a rename on the way.
if(DESKTOP_FILE_VALIDATE AND EXISTS ${STAGING_DIR}/${desktop_entry})
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${STAGING_DIR}/${desktop_entry}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(APPEND failures "installed desktop entry is not valid:\n${output}")
  endif()
endif()

# The metainfo's launchable must name the installed desktop entry.
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${STAGING_DIR}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(APPEND failures "installed metainfo does not match the installed tree:\n${output}")
  endif()
endif()

# Neither the built nor the installed program may carry a run path: an empty entry in one makes the
# loader search the working folder, and nothing needs one, since every library is the system's.
if(READELF)
  foreach(program IN ITEMS ${BUILT_PROGRAM} ${STAGING_DIR}/${BINDIR}/hirelings)
    if(NOT EXISTS ${program})
      continue()
    endif()
    execute_process(COMMAND ${READELF} --dynamic ${program}
      RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
      string(APPEND failures "readelf failed on ${program}:\n${output}")
    elseif(output MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
      string(APPEND failures "${program} carries a run path: ${CMAKE_MATCH_0}\n")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "install layout under ${STAGING_DIR}:\n${failures}")
endif()
message(STATUS "install layout under ${STAGING_DIR} is complete")
