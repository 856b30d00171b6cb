# SPDX-License-Identifier: Apache-2.0
# The generated header core/BuildConfig.h: the version and the install layout, fixed when the
# build is configured instead of guessed at run time.
include(GNUInstallDirs)

set(VELT_INSTALL_RESOURCE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/velt-firmware-updater)
file(RELATIVE_PATH VELT_INSTALLED_RESOURCE_DIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/velt-firmware-updater)
set(VELT_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in
               ${VELT_GENERATED_INCLUDE_DIR}/core/BuildConfig.h @ONLY)
