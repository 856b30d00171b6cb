// SPDX-License-Identifier: Apache-2.0
#include "WizardFixture.h"

#include "app/MainWindow.h"
#include "app/PageStack.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "support/FdCapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

namespace velt::test {

WizardFixture::WizardFixture(UpdateSettings updateSettings) : settings(std::move(updateSettings))
{
    resetFirmwareList();
    resetTargetFirmware();
    m_delegate.setQuitAction([this] { ++m_quits; });
    setAlertPresenter([this](const VeltError& error) { m_alerts.append(error); });
}

WizardFixture::~WizardFixture()
{
    m_window.reset();
    setAlertPresenter({});
    qunsetenv("VELT_DFU_SIMULATOR");
}

void WizardFixture::launch()
{
    setFirmwareServer(settings.server);
    m_window = std::make_unique<MainWindow>(settings);
    m_window->show();
    m_delegate.applicationDidFinishLaunching();
}

QWidget* WizardFixture::page() const
{
    return m_window ? m_window->pageStack()->topPage() : nullptr;
}

QString WizardFixture::text(const char* name) const
{
    // Labels and buttons show their text property, text areas their plain text.
    QWidget* widget = control<QWidget>(name);
    const QVariant plain = widget ? widget->property("plainText") : QVariant();
    return (plain.isValid() || !widget ? plain : widget->property("text")).toString();
}

QString WizardFixture::click(const char* name)
{
    auto* button = control<QAbstractButton>(name);
    if (!button || !button->isVisible() || !button->isEnabled())
        return QStringLiteral("no enabled %1 on %2").arg(QLatin1String(name), pageName());
    button->click();
    return {};
}

QString WizardFixture::pick(const QString& text, const char* list)
{
    auto* box = control<QComboBox>(list);
    return pickIndex(box && !text.isEmpty() ? box->findText(text) : 0, list);
}

QString WizardFixture::pickIndex(int index, const char* list)
{
    auto* box = control<QComboBox>(list);
    if (!box || index < 0 || index >= box->count())
        return QStringLiteral("no item %1 in %2 on %3").arg(index).arg(list, pageName());
    // What a user's pick does: the box changes, then it sends its action.
    box->setCurrentIndex(index);
    emit box->activated(index);
    return {};
}

void WizardFixture::pressReturn()
{
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != m_window.get())
        target = m_window.get();
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(target, &event);
    }
}

QString WizardFixture::walkTo(const QString& name, const QString& model, int versionIndex,
                              const std::function<void(const QString&)>& visited)
{
    const QStringList pages = {u"IntroPage"_qs, u"SelectModelPage"_qs, u"SelectVersionPage"_qs,
                               u"DFUSetupPage"_qs, u"UpdateProgressPage"_qs};
    if (!m_window)
        launch();
    QString failure = waitUntil(
        QStringLiteral("the catalogue on the first page"),
        [this] {
            auto* next = control<QWidget>("nextButton");
            return (next && next->isEnabled()) || m_quits > 0;
        },
        stepTimeoutMs);
    for (const QString& step : pages) {
        if (failure.isEmpty() && m_quits > 0)
            failure = QStringLiteral("the application ended on %1, alerts: [%2]")
                          .arg(pageName(), alertText());
        if (failure.isEmpty())
            failure = waitForPage(step, stepTimeoutMs);
        if (failure.isEmpty() && !m_alerts.isEmpty())
            failure = QStringLiteral("an alert on %1: %2").arg(step, alertText());
        // The named page is left as it came up.
        const bool last = step == name;
        if (failure.isEmpty() && !last && step == u"SelectModelPage"_qs)
            failure = pick(model);
        if (failure.isEmpty() && !last && step == u"SelectVersionPage"_qs && versionIndex >= 0)
            failure = pickIndex(versionIndex);
        if (failure.isEmpty() && visited)
            visited(step);
        if (!failure.isEmpty() || last)
            return failure;
        failure = click("nextButton");
    }
    return QStringLiteral("no page named ") + name;
}

QString WizardFixture::waitUntil(const QString& what, const std::function<bool()>& condition,
                                 int timeoutMs)
{
    if (!condition()) {
        // Checked on a short timer rather than with sleeps between events, so a transfer the
        // main thread drains chunk by chunk runs at its real speed.
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (condition())
                loop.quit();
        });
        check.start(5);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (condition())
        return {};
    return QStringLiteral("waited %1 ms for %2; on %3, alerts: [%4], status: \"%5\"")
        .arg(timeoutMs)
        .arg(what, pageName(), alertText(), text("infoTextArea"));
}

QString WizardFixture::alertText() const
{
    QStringList texts;
    for (const VeltError& error : m_alerts)
        texts.append(error.localizedDescription);
    return texts.join(u'\n');
}

bool WizardFixture::ended() const
{
    auto* finish = control<QWidget>("button");
    return !m_alerts.isEmpty() || (finish && finish->isVisible() && finish->isEnabled());
}

QStringList WizardFixture::logLines()
{
    // Standard output, where diagnostic lines go, is captured from the first call on.
    if (!m_log)
        m_log = std::make_unique<FdCapture>(STDOUT_FILENO);
    return m_log->captured();
}

QString WizardFixture::waitForLogLine(const QString& part, int timeoutMs)
{
    return waitUntil(
        QStringLiteral("a log line with \"%1\"").arg(part),
        [&] { return !logLines().filter(part).isEmpty(); }, timeoutMs);
}

void WizardFixture::simulateDevice(const QString& traits)
{
    qputenv("VELT_DFU_SIMULATOR", QStringLiteral("%1,state=%2,save=%3")
                                      .arg(traits, m_device.filePath(QStringLiteral("runs")),
                                           m_device.filePath(QStringLiteral("received")))
                                      .toUtf8());
}

} // namespace velt::test
