# SPDX-License-Identifier: Apache-2.0
# Installed layout: the program in bin/, its resources (the flashing tool) in
# libexec/velt-firmware-updater/ where the program looks for them (cmake/BuildConfig.cmake fixes
# that place), desktop integration and the copyright file under share/, and the udev rule that
# lets the logged-in user open the device.
include(GNUInstallDirs)

set(VELT_APP_ID com.veltaudio.FirmwareUpdater)

if(TARGET velt-firmware-updater)
    install(TARGETS velt-firmware-updater RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# What is installed talks to USB only; the build tree's tool, with the simulated device, stays
# for the demo and the tests.
if(TARGET dfu-util-usb)
    install(TARGETS dfu-util-usb RUNTIME DESTINATION ${VELT_INSTALL_RESOURCE_DIR})
elseif(TARGET dfu-util)
    message(WARNING "No USB-only build of the flashing tool: the installed one carries the "
                    "simulated device, and the install test fails on it")
    install(TARGETS dfu-util RUNTIME DESTINATION ${VELT_INSTALL_RESOURCE_DIR})
endif()
install(FILES resources/desktop/${VELT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${VELT_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/desktop/${VELT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian wants the changelog gzip-compressed at the highest level, without a name or time stamp
# in the header, so that the same release always gives the same file.
# The manual page likewise.
find_program(VELT_GZIP gzip REQUIRED)
foreach(source changelog velt-firmware-updater.1)
    execute_process(COMMAND ${VELT_GZIP} -9nc ${CMAKE_SOURCE_DIR}/resources/debian/${source}
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/${source}.gz COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS resources/debian/${source})
endforeach()
install(FILES resources/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velt-firmware-updater)
install(FILES ${CMAKE_BINARY_DIR}/velt-firmware-updater.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# udev's own rules folder when udev says where it is, kept under the prefix (udev reads
# /usr/lib/udev/rules.d, which is where the package, with prefix /usr, puts the rule).
set(udevdir "")
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_get_variable(udevdir udev udevdir)
endif()
if(udevdir STREQUAL "")
    set(udevdir lib/udev)
endif()
string(REGEX REPLACE "^/(usr/)?" "" udevdir "${udevdir}")
set(VELT_UDEV_RULES_DIR ${udevdir}/rules.d CACHE STRING
    "Where the udev rule is installed, relative to the install prefix")
install(FILES resources/udev/70-velt-dfu.rules DESTINATION ${VELT_UDEV_RULES_DIR})

set(CPACK_PACKAGE_NAME velt-firmware-updater)
set(CPACK_PACKAGE_VENDOR "Velt Audio")
set(CPACK_PACKAGE_CONTACT "Velt Audio <support@velt-audio.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Firmware updater for Velt USB audio devices")
set(CPACK_PACKAGE_DESCRIPTION "A step-by-step wizard that fetches the firmware releases
for Velt USB audio devices, lets the user choose the model and a version,
downloads and verifies the image and writes it into the device over USB DFU.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.velt-audio.com/)
# Library dependencies (Qt, libusb) are read off the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so named here: the platform plugins, and Qt's own texts (the message box's
# buttons, the file dialog) in the languages the application speaks.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# A distribution package carries no debug information (RelWithDebInfo builds have plenty).
set(CPACK_STRIP_FILES ON)
include(CPack)
