# Installed layout: the real program in lib/games/marobel, and in the
# commands' folder a launcher of the same name that starts it in
# share/games/marobel, where the art generator installs the pictures and
# sounds. Paths are relative to the launcher, so the tree can be moved.
# The launcher is built as <binary dir>/launcher/<target>.
function(marobel_install_with_launcher target)
  install(TARGETS ${target} RUNTIME DESTINATION ${MAROBEL_INSTALL_PROGRAM_DIR})
  file(RELATIVE_PATH launcher_to_data ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${MAROBEL_INSTALL_DATA_DIR})
  file(RELATIVE_PATH launcher_to_program ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${MAROBEL_INSTALL_PROGRAM_DIR})
  set(launcher_program ${target})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program-launcher.sh.in
                 ${CMAKE_CURRENT_BINARY_DIR}/launcher/${target} @ONLY)
  install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/${target} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
