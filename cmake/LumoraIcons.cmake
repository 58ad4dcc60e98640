# The application icon: the SVG in resources/icons, rendered at build time to the PNG sizes a
# desktop wants (rsvg-convert) and, for Windows, packed into an .ico (icotool).
#   LUMORA_APP_ID         the icon's, desktop entry's and metainfo's name
#   LUMORA_ICON_SVG       the source
#   LUMORA_ICON_PNG_DIR   <size>.png for each of LUMORA_ICON_SIZES
#   LUMORA_ICON_ICO       the .ico, when it can be made (target lumora_icons builds them all)
set(LUMORA_APP_ID org.lumora.CorvaneTraceServer)
set(LUMORA_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/${LUMORA_APP_ID}.svg)
set(LUMORA_ICON_SIZES 16 24 32 48 64 128 256)
set(LUMORA_ICON_PNG_DIR ${PROJECT_BINARY_DIR}/icons)

# A Linux desktop build installs the PNGs, so it needs the renderer; elsewhere (an MSVC build
# on Windows) programs go without an icon when the tools are missing.
if(UNIX AND LUMORA_QT)
  find_program(LUMORA_RSVG_CONVERT rsvg-convert REQUIRED)
else()
  find_program(LUMORA_RSVG_CONVERT rsvg-convert)
endif()
find_program(LUMORA_ICOTOOL icotool)
if(NOT LUMORA_RSVG_CONVERT)
  message(STATUS "rsvg-convert not found (Debian: librsvg2-bin): programs get no icon")
  return()
endif()

set(pngs "")
foreach(size IN LISTS LUMORA_ICON_SIZES)
  set(png ${LUMORA_ICON_PNG_DIR}/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMORA_ICON_PNG_DIR}
    COMMAND ${LUMORA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${LUMORA_ICON_SVG}
    DEPENDS ${LUMORA_ICON_SVG} VERBATIM)
  list(APPEND pngs ${png})
endforeach()
if(LUMORA_ICOTOOL)
  set(LUMORA_ICON_ICO ${LUMORA_ICON_PNG_DIR}/${LUMORA_APP_ID}.ico)
  set(ico_pngs 16 32 48 256)
  list(TRANSFORM ico_pngs REPLACE "(.+)" "${LUMORA_ICON_PNG_DIR}/\\1.png")
  add_custom_command(OUTPUT ${LUMORA_ICON_ICO}
    COMMAND ${LUMORA_ICOTOOL} -c -o ${LUMORA_ICON_ICO} ${ico_pngs}
    DEPENDS ${ico_pngs} VERBATIM)
else()
  message(STATUS "icotool not found (Debian: icoutils): Windows programs get no icon")
endif()
add_custom_target(lumora_icons ALL DEPENDS ${pngs} ${LUMORA_ICON_ICO})
