// SPDX-License-Identifier: Apache-2.0
#include "app/ApplicationSetup.h"

#include "app/AlertBox.h"
#include "catalogue/FirmwareServer.h"
#include "controls/FocusFrameStyle.h"
#include "core/Alert.h"
#include "core/Localization.h"

#include <QApplication>
#include <QStyleFactory>

namespace velt {

void setUpApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("velt-firmware-updater"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velt Firmware Updater"));
    QApplication::setApplicationVersion(QStringLiteral(VELT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.veltaudio.FirmwareUpdater"));
    // The window ends only through the delegate's termination query.
    QApplication::setQuitOnLastWindowClosed(false);
    // One look on every desktop; the pages' layouts were checked with it. The keyboard focus
    // is always drawn, not only after a Tab.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new FocusFrameStyle(style));
    installTranslations(application);
    configureFirmwareServerFromEnvironment();
    setAlertPresenter(&showAlertBox);
}

} // namespace velt
