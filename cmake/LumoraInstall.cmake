# Install rules, in two components: "desktop" (the tray application and the tools, with the
# desktop entry, icons, metainfo and manual pages) and "headless" (lumora-trace-serverd with
# its systemd unit). cmake/LumoraPackage.cmake makes a Debian package of each.
include(GNUInstallDirs)

# The release date, from the CHANGELOG's first entry, which must be the version of project().
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG changelog)
list(GET changelog 0 newest)
if(NOT newest MATCHES "^lumora-trace-server \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "CHANGELOG: the first entry is not version ${PROJECT_VERSION}, the version of project()")
endif()
foreach(line IN LISTS changelog)
  if(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months "${CMAKE_MATCH_2}" month)
    break()
  endif()
endforeach()
if(NOT DEFINED month OR month LESS 0)
  message(FATAL_ERROR "CHANGELOG: the first entry has no signature line with a date")
endif()
math(EXPR month "${month} + 1")
if(month LESS 10)
  set(month 0${month})
endif()
set(LUMORA_RELEASE_DATE ${year}-${month}-${day})

install(TARGETS lumora-trace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
if(NOT LUMORA_QT)
  return()
endif()
install(TARGETS lumora-trace-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
install(TARGETS lumora-trace-serverd RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT headless)
if(WIN32)
  # Qt's libraries and plugins beside the programs (windeployqt).
  qt_generate_deploy_app_script(TARGET lumora-trace-server OUTPUT_SCRIPT deploy_script
                                NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT ${deploy_script} COMPONENT desktop)
endif()
if(NOT UNIX OR APPLE)
  return()
endif()
install(TARGETS lumora-tracer-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)

set(res ${PROJECT_SOURCE_DIR}/resources)
set(out ${PROJECT_BINARY_DIR}/install-files)

# Desktop entry, metainfo, icons.
install(FILES ${res}/linux/${LUMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT desktop)
configure_file(${res}/linux/${LUMORA_APP_ID}.metainfo.xml.in ${out}/${LUMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${out}/${LUMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT desktop)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${LUMORA_ICON_SVG} DESTINATION ${icons}/scalable/apps COMPONENT desktop)
foreach(size IN LISTS LUMORA_ICON_SIZES)
  install(FILES ${LUMORA_ICON_PNG_DIR}/${size}.png DESTINATION ${icons}/${size}x${size}/apps
          RENAME ${LUMORA_APP_ID}.png COMPONENT desktop)
endforeach()

# Manual pages, compressed as Debian keeps them.
set(manuals lumora-trace-server:desktop lumora-trace:desktop lumora-tracer-sim:desktop
            lumora-trace-serverd:headless)
set(man_gz "")
foreach(entry IN LISTS manuals)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 page)
  list(GET entry 1 component)
  configure_file(${res}/man/${page}.1.in ${out}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${out}/man/${page}.1.gz
    COMMAND gzip -9nkf ${out}/man/${page}.1
    DEPENDS ${out}/man/${page}.1 VERBATIM)
  list(APPEND man_gz ${out}/man/${page}.1.gz)
  install(FILES ${out}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()

# Each package's copyright (the licence in Debian's machine-readable form) and changelog.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" licence "${licence}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${licence}")
file(WRITE ${out}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: lumora-trace-server\n\n"
  "Files: *\nCopyright: ${CMAKE_MATCH_1}\nLicense: Expat\n\n"
  "License: Expat\n ${licence}")
configure_file(${PROJECT_SOURCE_DIR}/CHANGELOG ${out}/changelog COPYONLY)
add_custom_command(OUTPUT ${out}/changelog.gz
  COMMAND gzip -9nkf ${out}/changelog
  DEPENDS ${out}/changelog VERBATIM)
add_custom_target(lumora_install_files ALL DEPENDS ${man_gz} ${out}/changelog.gz)
foreach(package lumora-trace-server:desktop lumora-trace-serverd:headless)
  string(REPLACE ":" ";" package ${package})
  list(GET package 0 name)
  list(GET package 1 component)
  install(FILES ${out}/copyright ${out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${name}
          COMPONENT ${component})
endforeach()

# The headless server as a system service.
set(LUMORA_SERVICE_CONFIG ${CMAKE_INSTALL_FULL_SYSCONFDIR}/default/lumora-trace-serverd)
configure_file(${res}/linux/lumora-trace-serverd.service.in ${out}/lumora-trace-serverd.service @ONLY)
install(FILES ${out}/lumora-trace-serverd.service DESTINATION lib/systemd/system COMPONENT headless)
install(FILES ${res}/linux/lumora-trace-serverd.sysusers DESTINATION lib/sysusers.d
        RENAME lumora-trace-serverd.conf COMPONENT headless)
install(FILES ${res}/linux/lumora-trace-serverd.default DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/default
        RENAME lumora-trace-serverd COMPONENT headless)
