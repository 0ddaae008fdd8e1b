# The Debian package: `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr. Library dependencies come from dpkg-shlibdeps;
# Qt's platform plugins are loaded at run time, so they are named by hand.
# The programs go in stripped of their debugging data.

install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/verezerud)

set(CPACK_PACKAGE_NAME verezerud)
set(CPACK_PACKAGE_VENDOR "Rirodov")
set(CPACK_PACKAGE_CONTACT "Rirodov <verezerud@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reminds you once an hour to take a rest")
set(CPACK_PACKAGE_DESCRIPTION
    "Verezerud shows a banner and sounds a chime a few minutes before the end of each hour, then darkens the screen until the hour is over. It also keeps a running total of how long the computer has been used.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# The autostart entry lies outside the prefix (in /etc), so install into a
# staging root rather than relative to the prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The sound server hears the chime, through libpulse0, which the program loads
# when a chime plays; the fonts stand in for the design's, and WenQuanYi Micro
# Hei draws the full-width colon of the about window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libpulse0, pulseaudio | pipewire-pulse, fonts-comic-neue, fonts-liberation2, fonts-wqy-microhei")

include(CPack)
