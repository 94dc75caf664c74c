# What `cmake --install` puts where, and the Debian package of the same files.
#
# The programs go to <prefix>/bin and their resources (Default/, Languages/, Sounds/) to
# <prefix>/share/quorvex/: an executable in a folder named "bin" takes its resources from
# ../share/quorvex/ (core/AppFolders.cpp), so these two folder names are fixed here rather
# than taken from GNUInstallDirs, whose values a packager may change.
set(QUORVEX_ID org.velmora.Quorvex)
set(QUORVEX_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)
set(QUORVEX_RESOURCE_DIR share/quorvex)

install(TARGETS quorvex quorvex-cli RUNTIME DESTINATION bin)
install(DIRECTORY Default Languages Sounds DESTINATION ${QUORVEX_RESOURCE_DIR} PATTERN .gitkeep EXCLUDE)

# quorvex-menu, the file managers' helper, installs itself beside them (shellext/).

# The launcher entry. The program takes no files or links on its command line, so the entry
# claims no MIME types; links reach it by the clipboard, drops and the D-Bus interface.
install(FILES ${QUORVEX_DATA}/${QUORVEX_ID}.desktop DESTINATION share/applications)

# The icon: the window's own drawing, as SVG and rendered to the usual PNG sizes.
set(QUORVEX_ICON_SVG ${CMAKE_CURRENT_SOURCE_DIR}/resources/quorvex.svg)
install(FILES ${QUORVEX_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME ${QUORVEX_ID}.svg)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_pngs)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${QUORVEX_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${QUORVEX_ICON_SVG}
      DEPENDS ${QUORVEX_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(quorvex_icons ALL DEPENDS ${icon_pngs})
else()
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): only the SVG icon is installed")
endif()

# D-Bus starts the program on the first call of its interface. The path of the executable is
# only known when installing (a package installs into a staging folder for /usr), so the
# service file is written then.
install(CODE "
  set(QUORVEX_INSTALLED_BINDIR \"\${CMAKE_INSTALL_PREFIX}/bin\")
  configure_file(\"${QUORVEX_DATA}/${QUORVEX_ID}.service.in\"
                 \"${CMAKE_BINARY_DIR}/install/${QUORVEX_ID}.service\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/install/${QUORVEX_ID}.service\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/dbus-1/services\")
")
set(QUORVEX_INTERFACE_XML ${CMAKE_CURRENT_SOURCE_DIR}/dbus/${QUORVEX_ID}.IQuorvexCom.xml)
if(EXISTS ${QUORVEX_INTERFACE_XML})
  install(FILES ${QUORVEX_INTERFACE_XML} DESTINATION share/dbus-1/interfaces)
endif()

# The software-centre description. Its screenshot and home page need the address where the
# project is published; without one they are left out rather than made up.
set(QUORVEX_HOMEPAGE_URL "" CACHE STRING "Home page of Quorvex (metainfo, Debian package)")
set(QUORVEX_SCREENSHOT_URL "" CACHE STRING "Published address of docs/screenshot.png (metainfo)")
set(QUORVEX_RELEASE_DATE "2026-12-09" CACHE STRING "Date of this version's release (metainfo)")
set(QUORVEX_METAINFO_WEB "")
if(QUORVEX_HOMEPAGE_URL)
  string(APPEND QUORVEX_METAINFO_WEB "\n  <url type=\"homepage\">${QUORVEX_HOMEPAGE_URL}</url>")
endif()
if(QUORVEX_SCREENSHOT_URL)
  string(APPEND QUORVEX_METAINFO_WEB "
  <screenshots>
    <screenshot type=\"default\">
      <caption>The download list with live progress, the task's log and the totals</caption>
      <image type=\"source\">${QUORVEX_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>")
endif()
configure_file(${QUORVEX_DATA}/${QUORVEX_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/install/${QUORVEX_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${QUORVEX_ID}.metainfo.xml DESTINATION share/metainfo)

# The release notes, in the changelog form Debian's tools read, compressed as they expect.
set(QUORVEX_PACKAGE_MAINTAINER "Velmora <packages@velmora.invalid>" CACHE STRING "Maintainer of the Debian package")
execute_process(COMMAND date -u -R -d ${QUORVEX_RELEASE_DATE} OUTPUT_VARIABLE QUORVEX_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(changelog ${CMAKE_BINARY_DIR}/install/changelog)
configure_file(${QUORVEX_DATA}/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND gzip -n -9 -c ${changelog} > ${changelog}.gz
  DEPENDS ${changelog}
  COMMENT "Compressing the changelog")
add_custom_target(quorvex_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION share/doc/quorvex)

# `cpack -G DEB`: the files above under /usr. Library dependencies come from dpkg-shlibdeps;
# those the programs load only while running are named here.
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT ${QUORVEX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download manager for shares, FTP and web servers")
set(CPACK_PACKAGE_DESCRIPTION "Quorvex copies files from SMB shares, FTP servers and HTTP(S) servers
into local, share or FTP folders, through an ordered queue with per-host
limits, resume, retries, logs, a history and a recycle bin. The package
holds the desktop program quorvex and the command-line front end quorvex-cli.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libsmbclient is opened when a share is first used; the SVG plugin draws the window icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsmbclient, libqt6svg6")
# xdg-open opens finished downloads; a session bus starts the program for the file manager's menu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, dbus-user-session | dbus-x11")
if(QUORVEX_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEX_HOMEPAGE_URL})
endif()
include(CPack)
