# `cpack` in the build folder makes a .deb that installs /usr/bin/pellow, the desktop
# entry and the icons. Installed this way the program's folder is read-only, so the
# settings file and saved data go to the user's own folders.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "pellow")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Pellow developers <pellow@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Serial-port terminal: send and receive text or hex bytes")
set(CPACK_PACKAGE_DESCRIPTION "Pellow opens one serial port at a time and sends text or hex bytes \
once, on a timer, from a list of twenty stored entries, cyclically, key by key or as a whole \
file. Received bytes are shown as text or hex with RX/TX counters.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins, fonts-wqy-zenhei")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
