# Run by cpack once the package's files are staged: adds what only the Debian package carries,
# not cmake --install. The changelog Debian asks of every package is made from the release
# notes; the lintian overrides say why the notes lintian makes that remain are right.
set(prefix ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
execute_process(
    COMMAND sh ${CPACK_KESTRUNE_CHANGELOG_WRITER} ${CPACK_KESTRUNE_RELEASE_NOTES}
            ${CPACK_PACKAGE_VERSION} ${CPACK_DEBIAN_PACKAGE_RELEASE} "${CPACK_PACKAGE_CONTACT}"
            ${prefix}/${CPACK_KESTRUNE_DOCDIR}/changelog.Debian.gz
    COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CPACK_KESTRUNE_LINTIAN_OVERRIDES} ${prefix}/share/lintian/overrides/${CPACK_PACKAGE_NAME} COPYONLY)
