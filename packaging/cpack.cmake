# A Debian package of the whole program: cpack -G DEB in a build folder
# (scripts/package does it in a folder configured for /usr).
set(CPACK_PACKAGE_NAME tavrinel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tavrinel developers <tavrinel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vedic (sidereal) reading of planetary dignities")
set(CPACK_PACKAGE_DESCRIPTION "Tavrinel computes the sidereal longitudes of the nine grahas for a birth,
decides each one's dignity (own sign, exaltation, moolatrikona, debilitation
or none) and writes a reading of fixed sentences in colour. Birth data can be
saved to a small file and opened again. tavrinel-cli runs the same
calculation from the command line, for one chart or a batch.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavrinel.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Read at run time, so no shared library brings them in: the time-zone rules,
# the ephemeris files of the precise sky, and the libraries of the atlas and
# the precise sky (opened on first use).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "tzdata, swe-basic-data, libgeonames0, libswe2.0")
# Help > Online Help and the web links go through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
