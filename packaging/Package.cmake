# `make package`: the Debian package kortvy, installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kortvy)
set(CPACK_PACKAGE_VENDOR "Kortvy-projektet")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KORTVY_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bild- och ordkort för skolan / picture and word cards")
set(CPACK_PACKAGE_DESCRIPTION
"Kortvy är en övning med bild- och ordkort för yngre elever och elever i
behov av särskilt stöd. En röd ram visar ett kort i den övre raden, och eleven
klickar på det kort i den undre raden som hör ihop med det. Med Kortvyadm
väljer läraren kort, bilder och ord. Varje användare får en egen kortlek i
mappen Kortvy i sin hemmapp.

Kortvy is a picture-and-word card exercise in Swedish for young learners and
learners with special needs, with a supervisor tool (Kortvyadm) in which the
teacher chooses the cards. Each user gets a card folder, ~/Kortvy.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORTVY_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries and libheif come from dpkg-shlibdeps; what is loaded at run time rather
# than linked (the platform and image plugins, Qt's Swedish texts, the fonts) is named here,
# and libheif1 too, whose decoders are what HEIC photos come in by. So is what reads words
# aloud: the speech service and espeak-ng's voices, Swedish among them. The teacher's recordings are decoded by the FFmpeg libraries Qt Multimedia depends on.
# Those made in Kortlekar are written with libsndfile (libsndfile1, found by dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core, libheif1, speech-dispatcher, speech-dispatcher-espeak-ng, espeak-ng-data")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)

include(CPack)
