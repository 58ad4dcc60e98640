# Packages with CPack (scripts/package): on Debian one .deb per install component,
# lumora-trace-server (the tray application and the tools) and lumora-trace-serverd (the
# headless server, which depends on no GUI library); on Windows an NSIS installer.
set(CPACK_PACKAGE_NAME lumora-trace-server)
set(CPACK_PACKAGE_VENDOR "Lumora Corvane Trace Server developers")
set(CPACK_PACKAGE_CONTACT "Lumora Corvane Trace Server developers <developers@lumora-trace-server.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A package's description: its summary line, then paragraphs (CPack indents them).
set(about_link "The server talks to an optical frame tracer over a serial line in the VCA/OMA
protocol, answers it, and stores every frame trace as a file named after its
job number.")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION "optical frame tracer server: tray application and tools
${about_link}

This package holds the tray application, which draws each trace at true size,
measures it and manages the saved traces, with lumora-trace (reads, resizes
and renders trace files) and lumora-tracer-sim (plays a tracer).")
set(CPACK_COMPONENT_HEADLESS_DESCRIPTION "optical frame tracer server without a window
${about_link}

This package holds lumora-trace-serverd, the tracer link without a window and
without display libraries, and its systemd service.")

if(WIN32)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Receive frame traces from an optical tracer and store them")
  include(${CMAKE_CURRENT_LIST_DIR}/LumoraNsis.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL desktop headless)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME lumora-trace-server)
  # Qt loads the display's platform plugin and the SQLite driver of the upload history at run
  # time, so no library names them.
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
  set(CPACK_DEBIAN_HEADLESS_PACKAGE_DEPENDS libqt6sql6-sqlite)
  set(CPACK_DEBIAN_HEADLESS_PACKAGE_NAME lumora-trace-serverd)
  set(maint ${PROJECT_SOURCE_DIR}/resources/linux/debian-headless)
  set(CPACK_DEBIAN_HEADLESS_PACKAGE_CONTROL_EXTRA ${maint}/postinst ${maint}/prerm ${maint}/postrm
      ${maint}/conffiles)
endif()
include(CPack)
