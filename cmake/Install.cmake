# SPDX-License-Identifier: GPL-2.0-or-later
# Where everything goes on `cmake --install`: the viewer in bin, its
# metafile converter in libexec (where the viewer looks for it), the desktop
# entry, the metainfo and the icons in the usual shared folders.
install(TARGETS lumarin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lumarin-metafile RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/lumarin)
install(FILES data/org.lumarin.Lumarin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.lumarin.Lumarin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/org.lumarin.Lumarin.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# What Debian asks of every package besides the programs: the copyright, the
# changelog and a manual page, the last two compressed with gzip -9n (no name
# or time inside, so the same sources give the same package).
set(LUMARIN_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/lumarin)
set(compressed)
foreach(source packaging/changelog docs/lumarin.1)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n -c '${CMAKE_CURRENT_SOURCE_DIR}/${source}' > '${output}'"
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(lumarin-docs ALL DEPENDS ${compressed})
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${LUMARIN_DOCDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lumarin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
