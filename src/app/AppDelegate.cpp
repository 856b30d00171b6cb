// SPDX-License-Identifier: Apache-2.0
#include "app/AppDelegate.h"

#include "app/MainWindow.h"
#include "cli/TerminationSignals.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"

#include <QApplication>
#include <QSessionManager>
#include <QWindow>
#include <cstdio>

namespace velt {

AppDelegate* appDelegate = nullptr;

AppDelegate::AppDelegate(QObject* parent)
    : QObject(parent), m_quit([] { QCoreApplication::exit(0); })
{
}

AppDelegate::~AppDelegate()
{
    if (appDelegate == this)
        appDelegate = nullptr;
}

MainWindow* AppDelegate::mainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MainWindow*>(widget))
            return window;
    }
    return nullptr;
}

void AppDelegate::applicationDidFinishLaunching()
{
    appDelegate = this;
    if (MainWindow* window = mainWindow())
        window->setDelegate(this);
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &AppDelegate::commitData,
                Qt::DirectConnection);
    }
}

void AppDelegate::applicationWillTerminate() {}

AppDelegate::TerminateReply AppDelegate::applicationShouldTerminate() const
{
    return disableQuitApp() ? TerminateCancel : TerminateNow;
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() const
{
    return !disableQuitApp();
}

bool AppDelegate::windowShouldClose(QWidget*) const
{
    return !disableQuitApp();
}

void AppDelegate::disableQuit()
{
    m_disableQuitApp = true;
    setTitleBarButtonsVisible(false);
}

void AppDelegate::enableQuit()
{
    m_disableQuitApp = false;
    setTitleBarButtonsVisible(true);
}

bool AppDelegate::terminate()
{
    if (m_terminating)
        return true;
    if (applicationShouldTerminate() == TerminateCancel)
        return false;
    m_terminating = true;
    applicationWillTerminate();
    emit willTerminate();
    if (m_quit)
        m_quit();
    return true;
}

void AppDelegate::quitOnTerminationSignals(TerminationSignals& terminations)
{
    connect(&terminations, &TerminationSignals::received, this, [this](int signal) {
        logLine(QStringLiteral("signal %1: quit requested").arg(signal));
        if (terminate())
            return;
        std::fprintf(stderr, "%s\n", qPrintable(localizedString("Info_QuitRefusedWhileWriting")));
        std::fflush(stderr);
    });
}

void AppDelegate::setTitleBarButtonsVisible(bool visible)
{
    MainWindow* window = mainWindow();
    if (!window)
        return;
    // CustomizeWindowHint makes the window manager honour the individual button hints.
    Qt::WindowFlags flags = window->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    for (Qt::WindowType button :
         {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        flags.setFlag(button, visible);
    // Tell the platform window directly: QWidget::setWindowFlags would hide and re-create a
    // visible window, which flickers in the middle of a firmware write.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}

void AppDelegate::commitData(QSessionManager& manager)
{
    if (applicationShouldTerminate() == TerminateNow)
        return;
    // Ending the session now would cut a firmware write short.
    if (manager.allowsInteraction()) {
        manager.cancel();
        manager.release();
    }
}

} // namespace velt
