// SPDX-License-Identifier: Apache-2.0
#include "pages/IntroViewController.h"

#include "catalogue/FirmwareList.h"
#include "controls/LocalizeControls.h"
#include "core/Alert.h"
#include "ui_IntroPage.h"

#include <QShowEvent>

namespace velt {

IntroViewController::IntroViewController(QWidget* parent) : QWidget(parent), m_ui(new Ui::IntroPage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    connect(m_ui->nextButton, &QPushButton::clicked, this, &IntroViewController::nextRequested);
}

IntroViewController::~IntroViewController() = default;

void IntroViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once the window has painted the page: loading blocks, and the user should see what is
    // being waited for. A window coming back from the task bar loads nothing again.
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &IntroViewController::didAppear, Qt::QueuedConnection);
}

void IntroViewController::didAppear()
{
    if (!isVisible())
        return;
    // Blocks until the catalogue has been read; input to the window waits meanwhile.
    if (const std::optional<VeltError> error = firmwareList().load()) {
        // Closing the window during the load has already set the application ending: an
        // alert would stand in its way, for a user who has left.
        if (isVisible())
            presentAlert(*error);
        emit quitRequested();
        return;
    }
    m_ui->nextButton->setEnabled(true);
    // The page's one control; it could not hold the focus while it was disabled.
    m_ui->nextButton->setFocus(Qt::OtherFocusReason);
    emit catalogueLoaded();
}

} // namespace velt
