// SPDX-License-Identifier: Apache-2.0
#include "AlertRecorder.h"

#include "core/Alert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace velt::test {

AlertRecorder::AlertRecorder()
{
    setAlertPresenter([this](const VeltError& error) { m_alerts.append(error); });
}

AlertRecorder::~AlertRecorder()
{
    setAlertPresenter({});
}

QStringList AlertRecorder::texts() const
{
    QStringList texts;
    for (const VeltError& error : m_alerts)
        texts.append(error.localizedDescription);
    return texts;
}

struct ModalAnswerer::State
{
    QTimer timer;
    QStringList texts;
    QPointer<QWidget> lastAnswered;
};

ModalAnswerer::ModalAnswerer() : m_state(new State)
{
    m_state->timer.setInterval(10);
    QObject::connect(&m_state->timer, &QTimer::timeout, [state = m_state] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == state->lastAnswered)
            return;
        state->lastAnswered = box;
        state->texts.append(box->text());
        QAbstractButton* button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        else
            box->reject();
    });
    m_state->timer.start();
}

ModalAnswerer::~ModalAnswerer()
{
    delete m_state;
}

QStringList ModalAnswerer::texts() const
{
    return m_state->texts;
}

} // namespace velt::test
