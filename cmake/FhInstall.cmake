# Installing and packaging.
#
# `cmake --install build --prefix P` puts both programs in P/bin, the runtime data
# (containers, music, menu texts, the settings program's pictures) in
# P/share/fernhollow, desktop entries, icons and AppStream metadata where desktops look
# for them, and the README and licences in P/share/doc/fernhollow. The programs find
# their data relative to themselves (platform/linux_folders.h), so P may be anywhere.
# `make package` wraps the same files as a .deb (for /usr) and a .tar.gz.

set(FH_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/fernhollow)
set(FH_LINUX_DIR ${PROJECT_SOURCE_DIR}/platform/linux)

foreach(program fernhollow configurator)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# Only what the programs load: no files a run of the build tree may have written.
install(DIRECTORY ${FH_RUNTIME_DIR}/resourcesQSDL ${FH_RUNTIME_DIR}/VRNresources
  DESTINATION ${FH_INSTALL_DATA}
  FILES_MATCHING PATTERN "*.mrsrc" PATTERN "*.drsrc" PATTERN "*.dttx" PATTERN "*.png" PATTERN "*.ogg")

install(FILES ${FH_LINUX_DIR}/org.fernhollow.Fernhollow.desktop ${FH_LINUX_DIR}/org.fernhollow.Configurator.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${FH_LINUX_DIR}/org.fernhollow.Fernhollow.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Icons drawn by fhpack (content/art/icons), one picture per size.
foreach(icon IN LISTS FH_ICON_NAMES)
  foreach(size IN LISTS FH_ICON_SIZES)
    install(FILES ${FH_ICON_DIR}/${icon}-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${icon}.png)
  endforeach()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/content/fonts/LICENSE-unifont.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fernhollow)

# ---- Packages ---------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME fernhollow)
set(CPACK_PACKAGE_VENDOR "The Fernhollow developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-view action game with a hero, a heroine and their dog")
set(CPACK_PACKAGE_DESCRIPTION "Walk, jump, swim, punch and shoot through chapters of wrapping tile maps; \
progress is kept in a diary and every section played is recorded as a replay film. \
Includes the settings program, configurator.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Fernhollow developers")
# Depends: the runtime libraries the programs are linked with, as dpkg-shlibdeps finds
# them (libsdl2-2.0-0, libsdl2-image-2.0-0, libsdl2-mixer-2.0-0, libgl1, libglu1-mesa,
# ...), never the -dev packages the build needs. Without dpkg-shlibdeps the same list
# is named by hand.
# SDL opens libGL.so.1 itself when it makes the GL context, so libgl1 is named in any case
# (the programs link only the GL dispatch library, libopengl0).
find_program(FH_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(FH_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0, libsdl2-image-2.0-0, libsdl2-mixer-2.0-0, libgl1, libopengl0, libglu1-mesa, libstdc++6, libc6")
endif()
# Software rendering when the machine has no GL driver of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
