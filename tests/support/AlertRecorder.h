// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"

#include <QList>

namespace velt::test {

// Installs itself as the alert presenter for its lifetime and records every alert instead of
// blocking on a modal box. The previous presenter (none) is restored on destruction.
class AlertRecorder
{
public:
    AlertRecorder();
    ~AlertRecorder();
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    const QList<VeltError>& alerts() const { return m_alerts; }
    QStringList texts() const;

private:
    QList<VeltError> m_alerts;
};

// Answers the next application-modal message boxes as a user would: after each one opens,
// records its text and presses its default button. Use around code that shows real
// QMessageBox alerts.
class ModalAnswerer
{
public:
    ModalAnswerer();
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    QStringList texts() const;

private:
    struct State;
    State* m_state;
};

} // namespace velt::test
