# Installed layout: the program in bin/, its resources (the flashing tool) in
# libexec/velt-firmware-updater/ where the program looks for them, desktop integration under
# share/, and the udev rule that lets the logged-in user open the device.
include(GNUInstallDirs)

set(VELT_APP_ID com.veltaudio.FirmwareUpdater)

if(TARGET velt-firmware-updater)
    install(TARGETS velt-firmware-updater RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET dfu-util)
    install(TARGETS dfu-util RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velt-firmware-updater)
endif()
install(FILES resources/desktop/${VELT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${VELT_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/desktop/${VELT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/udev/70-velt-dfu.rules)
    # udev reads /lib/udev/rules.d whatever the prefix; the package installs there.
    install(FILES resources/udev/70-velt-dfu.rules DESTINATION lib/udev/rules.d)
endif()

set(CPACK_PACKAGE_NAME velt-firmware-updater)
set(CPACK_PACKAGE_VENDOR "Velt Audio")
set(CPACK_PACKAGE_CONTACT "Velt Audio <support@velt-audio.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Firmware updater for Velt USB audio devices")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Library dependencies (Qt, libusb) are read off the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# A distribution package carries no debug information (RelWithDebInfo builds have plenty).
set(CPACK_STRIP_FILES ON)
include(CPack)
