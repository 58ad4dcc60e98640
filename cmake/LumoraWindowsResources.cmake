# lumora_windows_resources(target description): on Windows, the program's version
# information (from project()) and the application icon, compiled by the resource compiler
# (mingw's windres in the cross build that scripts/test-windows-core runs, rc with MSVC).
function(lumora_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(LUMORA_RC_NAME ${target})
  set(LUMORA_RC_DESCRIPTION "${description}")
  set(LUMORA_RC_ICON "")
  if(LUMORA_ICON_ICO)
    set(LUMORA_RC_ICON "1 ICON \"${LUMORA_ICON_ICO}\"")
    add_dependencies(${target} lumora_icons)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
