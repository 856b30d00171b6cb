#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace velt {

class MainWindow;

// Walks the real wizard the way a user would, by the object names of its controls: waits for
// the catalogue, picks a model, keeps the preselected (newest) version unless told otherwise,
// passes the DFU instructions and reaches the update page; optionally waits for the update to
// succeed and presses Finish. Grabs the window on every page when given a folder (with Finish
// also while the device is written, and at the end). Any alert ends the walk as a failure.
class WizardDriver : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString screenshotDirectory; // empty: no screenshots
        QString screenshotSuffix;    // appended to each file name, e.g. "en"
        QString model;               // empty: the first model that has firmware
        int versionIndex = -1;       // -1: keep the preselected newest version
        bool finish = false;         // wait for success on the update page and press Finish
        int timeoutMs = 60000;       // for any one step
    };

    WizardDriver(MainWindow& window, Options options);

    // Begins the walk; finished(exitCode) is emitted at the end (0: every step done).
    void start();

signals:
    void finished(int exitCode);

private:
    struct Step
    {
        QString description;
        std::function<bool()> ready; // polled until true
        std::function<bool()> act;   // false: the walk fails
    };

    void buildSteps();
    void poll();
    void fail(const QString& why);
    bool onPage(const char* identifier) const;
    QWidget* control(const char* name) const;
    bool clickEnabled(const char* name);
    bool grab(const QString& name);

    MainWindow& m_window;
    Options m_options;
    QList<Step> m_steps;
    int m_current = 0;
    QTimer m_timer;
    QElapsedTimer m_stepClock;
};

} // namespace velt
