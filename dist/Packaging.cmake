# The Debian package, built by CPack from the installation rules (make deb). The libraries the
# program links come from dpkg-shlibdeps; what is listed here by hand is what no library shows:
# the font the layout is measured in, and what only some features use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesperon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vesperon developers")
set(CPACK_PACKAGE_CONTACT "The Vesperon developers <maintainers@vesperon.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shutdown timer for the desktop")
# The synopsis is the summary above; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vesperon shuts down, logs off, restarts, suspends or hibernates the computer
at an appointed date and time or after a countdown in minutes. It waits in
the notification area with the time left in its tooltip, can warn half a
minute ahead with a Cancel button, and can start with the session and arm
the same task again at every log-on.

The timer can also be armed, cancelled and queried from a terminal or over
the session bus.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vesperon.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")
# logind carries out the power actions; the session bus carries the tray icon and the
# command interface; xdg-open opens the home page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "default-logind | logind, default-dbus-session-bus | dbus-session-bus, xdg-utils")
# GNOME shows notification area icons only with this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
