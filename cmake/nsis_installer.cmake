# The Windows installer, made by CPack's NSIS generator with makensis.
#
# The game is a 64-bit program, and so is the installer: NSIS's default
# 32-bit stub does not start where only 64-bit programs run (Wine as Debian
# ships it). CPack's template has no setting for the target, so a copy of it
# with `Target amd64-unicode` in front, before anything is compiled into the
# installer, is put where CPack looks for templates first.
set(nsis_template_dir ${CMAKE_BINARY_DIR}/nsis-template)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
# The template opens with a byte order mark (it tells makensis the script is
# UTF-8), then its first comment: the target goes between the two.
string(FIND "${nsis_template}" ";" first_comment)
string(SUBSTRING "${nsis_template}" 0 ${first_comment} byte_order_mark)
string(SUBSTRING "${nsis_template}" ${first_comment} -1 nsis_template)
file(WRITE ${nsis_template_dir}/NSIS.template.in "${byte_order_mark}Target amd64-unicode\n${nsis_template}")
list(PREPEND CMAKE_MODULE_PATH ${nsis_template_dir})

set(CPACK_NSIS_PACKAGE_NAME "Marobel")
set(CPACK_NSIS_DISPLAY_NAME "Marobel ${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Marobel")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Marobel")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON "${MAROBEL_HOST_ASSETS_DIR}/marobel.ico")
set(CPACK_NSIS_MUI_UNIICON "${MAROBEL_HOST_ASSETS_DIR}/marobel.ico")
# The icon in the system's program list.
set(CPACK_NSIS_INSTALLED_ICON_NAME "marobel.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The game reads its pictures and sounds by bare name, so its shortcut starts
# it in the install folder: NSIS gives a shortcut the current output folder
# as its working directory.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Marobel.lnk" "$INSTDIR\marobel.exe" "" "$INSTDIR\marobel.exe" 0
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Continue the last game.lnk" "$INSTDIR\marobel.exe" "--continue" "$INSTDIR\marobel.exe" 0]])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\Marobel.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\Continue the last game.lnk"]])

# The zip unpacks into a folder of its own; the installer picks its folder.
file(WRITE ${CMAKE_BINARY_DIR}/cpack-per-generator.cmake [[
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
]])
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack-per-generator.cmake)
