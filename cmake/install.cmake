# What `cmake --install` puts below the prefix, in the layout Debian and the freedesktop
# standards expect.  Every path is relative to the prefix, so a tree installed anywhere and
# moved later still works: the programs find their resources from their own location.
include(GNUInstallDirs)

set(vellumine_generated ${CMAKE_BINARY_DIR}/installed)

# Man pages: the templates take the version and date of this release, and are compressed as
# Debian keeps them.
function(vellumine_man_page name)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${name}.1.in ${vellumine_generated}/${name}.1 @ONLY)
  add_custom_command(
    OUTPUT ${vellumine_generated}/${name}.1.gz
    COMMAND gzip -9n -c ${vellumine_generated}/${name}.1 > ${vellumine_generated}/${name}.1.gz
    DEPENDS ${vellumine_generated}/${name}.1
    COMMENT "Compressing the man page ${name}.1")
  set_property(GLOBAL APPEND PROPERTY vellumine_generated_files ${vellumine_generated}/${name}.1.gz)
  install(FILES ${vellumine_generated}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

install(TARGETS vellumine-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
vellumine_man_page(vellumine-convert)

if(VELLUMINE_GUI)
  install(TARGETS vellumine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  vellumine_man_page(vellumine)
  set(vellumine_share ${CMAKE_INSTALL_DATADIR}/vellumine)
  install(FILES ${VELLUMINE_UI_RESOURCES_DIR}/help.htm DESTINATION ${vellumine_share})
  install(FILES ${VELLUMINE_UI_RESOURCES_DIR}/lib/init.htm DESTINATION ${vellumine_share}/lib)
  install(DIRECTORY ${VELLUMINE_UI_RESOURCES_DIR}/Examples/ DESTINATION ${vellumine_share}/Examples
          FILES_MATCHING PATTERN "*.docx")
  # The menu entry goes by the reverse-DNS id that the metainfo names: a plain vellumine.desktop
  # would be hidden by the handler entry of that name that "Associate *.docx" writes for the user.
  install(FILES ${CMAKE_SOURCE_DIR}/resources/vellumine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${VELLUMINE_APP_ID}.desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/vellumine.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(${CMAKE_SOURCE_DIR}/resources/vellumine.metainfo.xml.in
                 ${vellumine_generated}/${VELLUMINE_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${vellumine_generated}/${VELLUMINE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The thumbnailer and the entry by which file managers find it (the freedesktop.org thumbnailer convention).
  install(TARGETS vellumine-thumbnailer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  vellumine_man_page(vellumine-thumbnailer)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/vellumine.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
endif()

# The copyright notice and the changelog, where Debian users look for them.
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${vellumine_generated}/changelog @ONLY)
add_custom_command(
  OUTPUT ${vellumine_generated}/changelog.gz
  COMMAND gzip -9n -c ${vellumine_generated}/changelog > ${vellumine_generated}/changelog.gz
  DEPENDS ${vellumine_generated}/changelog)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${vellumine_generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

get_property(vellumine_man_pages GLOBAL PROPERTY vellumine_generated_files)
add_custom_target(vellumine_installed_files ALL DEPENDS ${vellumine_man_pages} ${vellumine_generated}/changelog.gz)
