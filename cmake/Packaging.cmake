# A Debian package of what `cmake --install` puts in place: `cpack -G DEB` in the build directory
# makes vantrelle_<version>-<revision>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Vantrelle)
set(CPACK_PACKAGE_CONTACT "Vantrelle <contact@vantrelle.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Minimum selling price calculator for shares")
# Debian wants the lines of the long description within 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrelle Ostrapine gives the minimum price at which to sell shares so that\n\
the wanted profit is left after the broker's sale fee and the capital-gains\n\
tax. It keeps the broker's fee schedule (up to five brackets, minimum and\n\
maximum fee) and three tax rates.")
# Debian packages install under /usr, whatever prefix the build was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The packaging's own revision of the program's version, as in data/changelog.Debian.in.
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VANTRELLE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.vantrelle.fr)
# dpkg-shlibdeps (package dpkg-dev) turns the libraries the executable links into dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SQLite driver of Qt SQL is a plugin, which dpkg-shlibdeps cannot see: the positions need it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# Qt's own texts in French; without them the program works, with those texts in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
