# Installs the build into a scratch prefix and checks that every file a
# desktop needs is there under the names the menu entry and metainfo use.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    ${GAMES_DIR}/numensight
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/man/man6/numensight.6.gz
    share/doc/numensight/copyright
    share/doc/numensight/changelog.Debian.gz
    share/lintian/overrides/numensight
    share/icons/hicolor/scalable/apps/${APP_ID}.svg)
set(sizes 16 22 24 32 48 64 128 256)
foreach(size ${sizes})
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop icon REGEX "^Icon=")
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop exec REGEX "^Exec=")
if(NOT icon STREQUAL "Icon=${APP_ID}" OR NOT exec STREQUAL "Exec=numensight")
    message(FATAL_ERROR "menu entry names ${icon} and ${exec}")
endif()
file(READ ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml metainfo)
string(FIND "${metainfo}" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>" launchable)
if(launchable EQUAL -1)
    message(FATAL_ERROR "metainfo does not launch ${APP_ID}.desktop")
endif()

# A theme looks an icon up by its folder's size: a PNG of another size shows blurred or not at all.
foreach(size ${sizes})
    file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png png_head LIMIT 24 HEX)
    string(SUBSTRING "${png_head}" 32 16 png_size)
    math(EXPR side "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "0000000" side "${side}")
    string(REGEX MATCH "........$" side "${side}")
    if(NOT png_size STREQUAL "${side}${side}")
        message(FATAL_ERROR "the ${size}x${size} icon is not ${size} x ${size} pixels (IHDR ${png_size})")
    endif()
endforeach()

# The manual page must have its hosts filled in, and compressed files must read back.
execute_process(COMMAND gzip -dc ${PREFIX}/share/man/man6/numensight.6.gz OUTPUT_VARIABLE manual RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR manual MATCHES "@" OR NOT manual MATCHES "numensight-help.html")
    message(FATAL_ERROR "manual page unreadable or its addresses are not filled in")
endif()
file(REMOVE_RECURSE ${PREFIX})
