# `make package`: a Debian package made by CPack from the installation above, below /usr.  Its
# dependencies are the packages of the libraries the programs link, as dpkg-shlibdeps finds them,
# the fonts drawn with the metrics of Calibri, Cambria, Arial, Times New Roman and Courier New,
# so a document's lines break where its author's did (fontconfig maps the names to them), and Qt's
# Wayland platform plugin, which Qt loads at run time (no library links it), so the viewer runs
# natively in a Wayland session.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellumine)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${VELLUMINE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fast viewer and HTML converter for Word documents")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vellumine shows Word .docx documents as a page, with their tables, lists,
images, links and page layout, without an office suite. It prints, exports
PDF and saves the page as HTML with its images. Page scripts never run and
nothing remote is fetched.
.
The package also holds vellumine-convert, which turns documents into HTML
pages from the command line, in batches or as a filter in a pipeline, and
vellumine-thumbnailer, which gives file managers thumbnails of .docx files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps's findings (libemf2svg1, libwmf-0.2-7, libtiff6 among them) are added to these: the
# faces with the metrics of Word's usual fonts, Qt's Wayland plugin, and the URW base fonts, without
# which libwmf cannot play a metafile (it only recommends them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-crosextra-carlito, fonts-crosextra-caladea, fonts-liberation2, qt6-wayland, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The debugging information stays in the build tree; the package carries lean programs.
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 0)
include(CPack)
