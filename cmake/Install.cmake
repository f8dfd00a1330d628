# Where everything goes on `cmake --install`: the viewer in bin, its
# metafile converter in libexec (where the viewer looks for it), the desktop
# entry, the metainfo and the icons in the usual shared folders.
install(TARGETS lumarin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lumarin-metafile RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/lumarin)
install(FILES data/org.lumarin.Lumarin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.lumarin.Lumarin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/org.lumarin.Lumarin.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
