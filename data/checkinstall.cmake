# Installs the build into a scratch prefix and checks that every file a
# desktop needs is there under the names the menu entry and metainfo use.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/numensight
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/32x32/apps/${APP_ID}.png
    share/icons/hicolor/scalable/apps/${APP_ID}.svg)
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

file(READ ${PREFIX}/share/icons/hicolor/32x32/apps/${APP_ID}.png png_head LIMIT 24 HEX)
string(SUBSTRING "${png_head}" 32 16 png_size)
if(NOT png_size STREQUAL "0000002000000020")
    message(FATAL_ERROR "the 32x32 icon is not 32 x 32 pixels (IHDR ${png_size})")
endif()
file(REMOVE_RECURSE ${PREFIX})
