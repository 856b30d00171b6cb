#include "app/driver/WizardDriver.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "core/Diagnostics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QProgressBar>

namespace velt {

WizardDriver::WizardDriver(MainWindow& window, Options options)
    : m_window(window), m_options(std::move(options))
{
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &WizardDriver::poll);
    buildSteps();
}

void WizardDriver::start()
{
    m_current = 0;
    m_stepClock.start();
    m_timer.start();
}

bool WizardDriver::onPage(const char* identifier) const
{
    Controller* page = m_window.currentPage();
    return page && page->identifier() == QLatin1String(identifier) && page->view() &&
           page->view()->isVisible();
}

QWidget* WizardDriver::control(const char* name) const
{
    Controller* page = m_window.currentPage();
    return page && page->view() ? page->view()->findChild<QWidget*>(QLatin1String(name)) : nullptr;
}

bool WizardDriver::clickEnabled(const char* name)
{
    auto* button = qobject_cast<QAbstractButton*>(control(name));
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

bool WizardDriver::grab(const QString& name)
{
    if (m_options.screenshotDirectory.isEmpty())
        return true;
    QString fileName = name;
    if (!m_options.screenshotSuffix.isEmpty())
        fileName += QLatin1Char('-') + m_options.screenshotSuffix;
    const QString path =
        QDir(m_options.screenshotDirectory).filePath(fileName + QStringLiteral(".png"));
    if (!m_window.grab().save(path)) {
        logLine(QStringLiteral("driver: cannot write ") + path);
        return false;
    }
    logLine(QStringLiteral("driver: saved ") + path);
    return true;
}

void WizardDriver::buildSteps()
{
    auto enabled = [this](const char* name) {
        return [this, name] {
            QWidget* widget = control(name);
            return widget && widget->isEnabled() && widget->isVisible();
        };
    };

    m_steps.append({QStringLiteral("catalogue loaded on the introduction page"),
                    [this, enabled] { return onPage("intro") && enabled("nextButton")(); },
                    [this] {
                        return grab(QStringLiteral("1-intro")) && clickEnabled("nextButton");
                    }});

    m_steps.append({QStringLiteral("model page"), [this] { return onPage("selectModel"); },
                    [this] {
                        auto* selector = qobject_cast<QComboBox*>(control("selector"));
                        if (!selector || selector->count() == 0)
                            return false;
                        int index =
                            m_options.model.isEmpty() ? 0 : selector->findText(m_options.model);
                        if (index < 0)
                            return false;
                        selector->setCurrentIndex(index);
                        emit selector->activated(index);
                        return true;
                    }});

    m_steps.append({QStringLiteral("a model with firmware"), enabled("nextButton"), [this] {
                        return grab(QStringLiteral("2-model")) && clickEnabled("nextButton");
                    }});

    m_steps.append({QStringLiteral("version page"), [this] { return onPage("selectVersion"); },
                    [this] {
                        if (m_options.versionIndex < 0)
                            return true;
                        auto* selector = qobject_cast<QComboBox*>(control("selector"));
                        if (!selector || m_options.versionIndex >= selector->count())
                            return false;
                        selector->setCurrentIndex(m_options.versionIndex);
                        emit selector->activated(m_options.versionIndex);
                        return true;
                    }});

    m_steps.append({QStringLiteral("a version with a release date"), enabled("nextButton"), [this] {
                        return grab(QStringLiteral("3-version")) && clickEnabled("nextButton");
                    }});

    m_steps.append({QStringLiteral("DFU setup page"),
                    [this, enabled] { return onPage("dfuSetup") && enabled("nextButton")(); },
                    [this] {
                        return grab(QStringLiteral("4-dfu-setup")) && clickEnabled("nextButton");
                    }});

    m_steps.append({QStringLiteral("update page"), [this] { return onPage("updateProgress"); },
                    [this] {
                        return grab(QStringLiteral("5-update"));
                    }});

    if (!m_options.finish)
        return;
    // The page once more while the device is being written, about halfway, if the tool is slow
    // enough to be caught at it.
    m_steps.append({QStringLiteral("the device being written"),
                    [this] {
                        if (!onPage("updateProgress"))
                            return true;
                        const AppDelegate* delegate = appDelegate.load();
                        auto* bar = qobject_cast<QProgressBar*>(control("progressIndicator"));
                        const bool writing = delegate && delegate->disableQuitApp() && bar &&
                                             bar->value() > 0 && bar->value() >= bar->maximum() / 2;
                        QWidget* button = control("button");
                        return writing || (button && button->isVisible());
                    },
                    [this] {
                        const AppDelegate* delegate = appDelegate.load();
                        if (!onPage("updateProgress") || !delegate || !delegate->disableQuitApp())
                            return true;
                        return grab(QStringLiteral("5-update-writing"));
                    }});
    m_steps.append({QStringLiteral("the update's success"),
                    [this] {
                        // A failure takes the wizard back a page: that ends the walk.
                        if (!onPage("updateProgress"))
                            return true;
                        QWidget* button = control("button");
                        return button && button->isVisible() && button->isEnabled();
                    },
                    [this] {
                        if (!onPage("updateProgress"))
                            return false;
                        return grab(QStringLiteral("6-finished")) && clickEnabled("button");
                    }});
}

void WizardDriver::poll()
{
    if (m_current >= m_steps.size())
        return;
    // An alert means the wizard did not go the way the walk expects. Nobody may be there to
    // answer it (under Xvfb), so the walk records it, closes it and ends as a failure.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        const QString text = box ? box->text() : modal->windowTitle();
        if (!m_options.screenshotDirectory.isEmpty()) {
            const QString path =
                QDir(m_options.screenshotDirectory).filePath(QStringLiteral("alert.png"));
            modal->grab().save(path);
        }
        fail(QStringLiteral("alert: ") + text);
        if (box)
            box->done(QMessageBox::Ok);
        else
            modal->close();
        return;
    }
    const Step& step = m_steps.at(m_current);
    if (!step.ready()) {
        if (m_stepClock.elapsed() > m_options.timeoutMs)
            fail(QStringLiteral("timed out waiting for ") + step.description);
        return;
    }
    if (!step.act()) {
        fail(QStringLiteral("could not go on from ") + step.description);
        return;
    }
    logLine(QStringLiteral("driver: ") + step.description);
    ++m_current;
    m_stepClock.restart();
    if (m_current == m_steps.size()) {
        m_timer.stop();
        emit finished(0);
    }
}

void WizardDriver::fail(const QString& why)
{
    m_timer.stop();
    logLine(QStringLiteral("driver: ") + why);
    emit finished(1);
}

} // namespace velt
