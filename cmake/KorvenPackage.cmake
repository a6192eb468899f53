# The Debian package: `cmake --build <dir> --target package` (or scripts/package.sh) writes
# korven-font-converter_<version>-<release>_<arch>.deb from the install rules. The version is
# the one on the project() line.
set(KORVEN_MAINTAINER_MAIL "maintainers@korven-fonts.example.org")

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "the KORVEN Font Converter authors")
set(CPACK_PACKAGE_CONTACT "KORVEN Font Converter authors <${KORVEN_MAINTAINER_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a TrueType font into the handheld's system font file")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories in the package are 0755 whatever the umask of the user who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVEN_LINK_URL})
# The summary is the package's one-line synopsis; this text follows it.
set(CPACK_PACKAGE_DESCRIPTION
    "KORVEN Font Converter turns a TrueType or OpenType font into ltn0.pgf, the
system font file of the PSP handheld. A desktop window lets you pick the font,
the destination folder, a size from 6 to 22 pixels and a shadow value, runs
the converter and reports how the conversion went.

The converter, ttf2pgf, also works on its own from the command line.")
# The shared libraries the programs link decide most of Depends; the window draws its
# designed faces with these fonts, which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation, fonts-comic-neue")

# Files that only a Debian package carries (its changelog) are in the component "debian",
# which a plain `cmake --install` leaves out; the package holds every component in one .deb.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

include(CPack)
