# The Debian package that `make package` builds with CPack: both programs, the pictures and the
# broker catalogue under share/tarvello, the desktop entry and its icon, the manual pages, and a
# systemd unit for the simulator that stays disabled until the administrator enables it. The
# dependencies are what dpkg-shlibdeps finds the programs linked against, plus the Chinese font
# the screens draw with.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(package_source ${PROJECT_SOURCE_DIR}/packaging)
set(package_build ${PROJECT_BINARY_DIR}/packaging)
set(VERSION ${PROJECT_VERSION})

# Manual pages and the changelog go in compressed the way Debian wants them: gzip -9 without a
# name or a time stamp, so that the same sources give the same bytes.
set(compressed_files "")
foreach(file tarvello.1 tarvello-quoted.1 changelog)
  configure_file(${package_source}/${file} ${package_build}/${file} @ONLY)
  add_custom_command(OUTPUT ${package_build}/${file}.gz
                     COMMAND ${GZIP_PROGRAM} -9nkf ${package_build}/${file}
                     DEPENDS ${package_build}/${file} VERBATIM)
  list(APPEND compressed_files ${package_build}/${file}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed_files})

install(FILES ${package_build}/tarvello.1.gz ${package_build}/tarvello-quoted.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_source}/copyright ${package_build}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${package_source}/tarvello.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${package_source}/tarvello-quoted.service DESTINATION lib/systemd/system)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvello developers <tarvello@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "market-data terminal for a handheld screen, with a quote server simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvello shows real-time quotes of the Shanghai and Shenzhen markets and of
Hong Kong and global indices, own lists, intraday and K-line charts with
indicators, rankings, fund flow, sector tracking, index futures, company data
and news, on a handheld screen in a desktop window.
.
tarvello-quoted, a deterministic simulated market, comes with it; the
terminal's shipped settings point at it on 127.0.0.1.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The package built, checked with lintian, unpacked into a scratch root and run from there.
add_test(NAME package_install
         COMMAND ${PROJECT_SOURCE_DIR}/tests/package/package_install_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(package_install PROPERTIES LABELS package TIMEOUT 900)
