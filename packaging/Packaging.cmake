# Installing like a desktop program: the two programs, the viewer's desktop
# entry, icons and AppStream metainfo, the manual pages, the bash completion
# and the package documentation; and the Debian package of all of it
# (scripts/package). Included from the top CMakeLists.txt after src/.
#
#   cmake --install BUILD --prefix /usr/local      # or DESTDIR=... for a staging root

include(GNUInstallDirs)

set(SF6_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SF6_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
# Debian keeps a package's documentation under its package name.
set(SF6_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/sf6viewer)
set(SF6_ICON_SIZES 16 22 24 32 48 64 128 256)

# Manual pages and the changelog are installed gzipped, as Debian wants them;
# -n keeps name and time stamp out, so the files are reproducible.
function(sf6_gzip_file source target)
  add_custom_command(
    OUTPUT ${target}
    COMMAND gzip -9 -n -c ${source} > ${target}
    DEPENDS ${source}
    VERBATIM)
endfunction()

set(SF6_MAN_PAGES sf6tool)
if(SF6_BUILD_GUI)
  list(APPEND SF6_MAN_PAGES sf6viewer)
endif()
set(SF6_GZIPPED)
foreach(page ${SF6_MAN_PAGES})
  configure_file(${SF6_PACKAGING_DIR}/${page}.1 ${SF6_PACKAGING_OUT}/${page}.1 @ONLY)
  sf6_gzip_file(${SF6_PACKAGING_OUT}/${page}.1 ${SF6_PACKAGING_OUT}/${page}.1.gz)
  list(APPEND SF6_GZIPPED ${SF6_PACKAGING_OUT}/${page}.1.gz)
  install(FILES ${SF6_PACKAGING_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
sf6_gzip_file(${SF6_PACKAGING_DIR}/changelog ${SF6_PACKAGING_OUT}/changelog.gz)
list(APPEND SF6_GZIPPED ${SF6_PACKAGING_OUT}/changelog.gz)
add_custom_target(sf6_packaging_files ALL DEPENDS ${SF6_GZIPPED})

install(TARGETS sf6tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${SF6_PACKAGING_DIR}/sf6tool.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
        RENAME sf6tool)
install(FILES ${SF6_PACKAGING_DIR}/copyright ${SF6_PACKAGING_OUT}/changelog.gz
        DESTINATION ${SF6_DOC_DIR})

if(SF6_BUILD_GUI)
  install(TARGETS sf6viewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${SF6_PACKAGING_DIR}/${SF6_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  configure_file(${SF6_PACKAGING_DIR}/${SF6_APP_ID}.metainfo.xml
                 ${SF6_PACKAGING_OUT}/${SF6_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${SF6_PACKAGING_OUT}/${SF6_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  set(icons ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
  install(FILES ${SF6_PACKAGING_DIR}/icons/sf6viewer.svg
          DESTINATION ${icons}/scalable/apps RENAME ${SF6_APP_ID}.svg)
  foreach(size ${SF6_ICON_SIZES})
    install(FILES ${SF6_PACKAGING_DIR}/icons/${size}x${size}.png
            DESTINATION ${icons}/${size}x${size}/apps RENAME ${SF6_APP_ID}.png)
  endforeach()
endif()

# The Debian package: both programs in one package named after the viewer.
# Only a build with the viewer makes a complete package.
if(NOT SF6_BUILD_GUI)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sf6viewer)
# The package version is the program's file version, as sf6tool --version prints it.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "SF6 Viewer Team")
set(SF6_PACKAGE_MAINTAINER "SF6 Viewer Team <sf6viewer@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${SF6_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SF6_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and command-line tool for SF6 lens catalogs")
set(CPACK_PACKAGE_DESCRIPTION
    "SF6 is the exchange format of product catalogs for spectacle lenses: a ZIP
archive of thirteen text files of fixed-column records (lens types, ranges,
geometry, prices, coatings, colours, combinations and ordering rules).
The viewer sf6viewer shows each file of a catalog with the fields of the line
under the caret decoded, captioned and rendered as values. The command-line
tool sf6tool lists and edits the entries of a catalog, decodes and rebuilds
lines, writes files as CSV, checks, compares and exports catalogs, and
converts catalogs of the older format SF4.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sf6.example.org/")
# Dependencies come from the shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Directories made on the way get 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
