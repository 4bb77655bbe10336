# The Debian package, built by scripts/package with `cpack -G DEB` from a Release
# build installed under /usr. Its library dependencies are read from the binary by
# dpkg-shlibdeps; the fonts and the optional helpers are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hekira)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Hekira developers <hekira@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "worksheets for practising Japanese handwriting")
set(CPACK_PACKAGE_DESCRIPTION
  "Hekira turns every line of a text into a row of square writing cells on a
portrait sheet. A practice pattern decides which cells show dark model
characters, faint characters to trace, or nothing. Sheets are written
vertically or horizontally, with furigana boxes, cross guides, date, name
and print number fields, and are printed or saved as PDF or PNG, from the
window or from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the sheets name are drawn with the IPA fonts, the textbook face with Klee
# One, stroke order with KanjiStrokeOrders; the readings come from MeCab's IPA
# dictionary (the library itself is found by the shared-library scan).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont, fonts-klee, fonts-kanjistrokeorders, mecab-ipadic-utf8")
# Japanese in Qt's own dialogs, and Japanese input through fcitx5.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fcitx5-frontend-qt6")

# Debian looks for a copyright file and, in a package with no Debian revision, for
# a changelog.gz; the changelog has the one entry of this version.
string(TIMESTAMP hekira_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_BINARY_DIR}/changelog
  "hekira (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
  "  * Hekira ${PROJECT_VERSION}, packaged from its sources.\n\n"
  " -- ${CPACK_PACKAGE_CONTACT}  ${hekira_changelog_date}\n")
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/changelog
  OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES data/copyright ${CMAKE_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hekira)

include(CPack)
