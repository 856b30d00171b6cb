// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>

class QSocketNotifier;

namespace velt {

// Turns SIGINT, SIGTERM and SIGHUP into a signal on the main thread's event loop: the handler
// only writes the signal's number into a pipe, whose reading end a QSocketNotifier watches.
// Whoever listens decides, through the quit guard, whether to end. SIGPIPE is ignored, so a
// closed reader of the output is a write error, not the end of a firmware write. One at a
// time; the default handling comes back when it goes.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signal);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace velt
