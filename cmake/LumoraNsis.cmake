# The Windows installer (NSIS): every program with Qt's libraries beside it (the deploy script
# of cmake/LumoraInstall.cmake), a Start-menu entry for the tray application, and the offer to
# start it with Windows: the same Run-key value the setup dialog's auto-start writes, quoted
# since the program folder holds blanks. Backslashes are doubled twice: once for CMake, once
# for CPack's template.
set(CPACK_GENERATOR NSIS)
set(CPACK_MONOLITHIC_INSTALL ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Lumora Corvane Trace Server")
set(CPACK_NSIS_PACKAGE_NAME "Lumora Corvane Trace Server")
set(CPACK_NSIS_DISPLAY_NAME "Lumora Corvane Trace Server")
set(CPACK_PACKAGE_EXECUTABLES lumora-trace-server "Lumora Corvane Trace Server")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\lumora-trace-server.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
if(LUMORA_ICON_ICO)
  set(CPACK_NSIS_MUI_ICON ${LUMORA_ICON_ICO})
  set(CPACK_NSIS_MUI_UNIICON ${LUMORA_ICON_ICO})
endif()
set(run_key "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  MessageBox MB_YESNO|MB_ICONQUESTION 'Start Lumora Corvane Trace Server with Windows?' /SD IDNO IDNO lumora_no_autostart
    WriteRegStr HKCU '${run_key}' 'Lumora Corvane Trace Server' '\"$INSTDIR\\\\bin\\\\lumora-trace-server.exe\"'
  lumora_no_autostart:
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegValue HKCU '${run_key}' 'Lumora Corvane Trace Server'
")
