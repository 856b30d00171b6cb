// SPDX-License-Identifier: Apache-2.0
#include "app/ApplicationSetup.h"

#include "app/AlertBox.h"
#include "catalogue/FirmwareServer.h"
#include "controls/FocusFrameStyle.h"
#include "core/Alert.h"
#include "core/BuildConfig.h"
#include "core/Localization.h"

#include <QApplication>
#include <QFont>
#include <QNetworkProxyFactory>
#include <QStyleFactory>

namespace velt {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("velt-firmware-updater"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELT_PROJECT_VERSION));
}

void setUpApplication(QApplication& application)
{
    nameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("Velt Firmware Updater"));
    QApplication::setDesktopFileName(QStringLiteral("com.veltaudio.FirmwareUpdater"));
    // The window ends only through the delegate's termination query.
    QApplication::setQuitOnLastWindowClosed(false);
    // One look on every desktop; the pages' layouts were checked with it. The keyboard focus
    // is always drawn, not only after a Tab.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new FocusFrameStyle(style));
    const QString table = installTranslations(application);
    // fontconfig takes the regional shapes of Han characters from LANG, which need not be the
    // language chosen here: the regional face of the Noto CJK family comes right after the
    // Latin one. Japanese has a rule of its own (see controls/JapaneseFont).
    const QString hanFace = table == u"zh_CN"   ? QStringLiteral("Noto Sans CJK SC")
                            : table == u"zh_TW" ? QStringLiteral("Noto Sans CJK TC")
                            : table == u"ko"    ? QStringLiteral("Noto Sans CJK KR")
                                                : QString();
    if (!hanFace.isEmpty()) {
        QFont font = QApplication::font();
        font.setFamilies({font.family(), hanFace});
        QApplication::setFont(font);
    }
    // The catalogue and the image go through the proxy the desktop is set up with.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    configureFirmwareServerFromEnvironment();
    setAlertPresenter(&showAlertBox);
}

} // namespace velt
