# The documents a Debian system expects beside the program, and `make package`: a .deb made by
# CPack from the same install rules as `make install`.

# Debian links its programs with every relocation resolved at start, so that the table of them can
# be made read-only.
target_link_options(threadloom PRIVATE -Wl,-z,relro,-z,now)

# The manual page and the changelog go in compressed, as Debian keeps them (-n: no time stamp,
# so the same sources give the same package).
set(threadloom_docs "")
foreach(doc threadloom.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${doc}.gz
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/resources/${doc} > ${CMAKE_BINARY_DIR}/${doc}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/${doc}
    VERBATIM)
  list(APPEND threadloom_docs ${CMAKE_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(threadloom_docs DEPENDS ${threadloom_docs})
add_dependencies(threadloom threadloom_docs)

install(FILES ${CMAKE_BINARY_DIR}/threadloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/threadloom)

# cpack installs through the "preinstall" target, which would build everything first, the tests and
# benchmarks too; `make package` builds the program itself instead.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME threadloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR ${THREADLOOM_COMPANY_NAME})
set(CPACK_PACKAGE_CONTACT "${THREADLOOM_COMPANY_NAME} <packages@${THREADLOOM_WEBSITE}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "post one message to many web forums and watch the threads for replies")
# Lines as they stand in the package, no longer than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Threadloom helps people who promote themselves on web forums. Write a
subject and a message once; Threadloom turns the web and e-mail addresses in it
into the link markup of the forum at hand and puts the message into the post
form of the page open in its own browser.

It keeps saved messages and forum logins, notices the thread it posted to and
watches it, and later tells which watched threads have new replies.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${THREADLOOM_WEBSITE}/")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# dpkg-shlibdeps names the libraries the program links. What it loads as it runs comes on top:
# the browser engine's helper process and its resources, the library the keyring library opens to
# reach the Secret Service, and Qt's own texts (its dialogs' standard buttons) in the user's
# language. The X11 platform plugin ships with libqt6gui6, which the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6webenginecore6-bin, libqt6webengine6-data, libsecret-1-0, qt6-translations-l10n")
# Wayland sessions, and a keyring to keep passwords in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, gnome-keyring | kwalletmanager")
include(CPack)
