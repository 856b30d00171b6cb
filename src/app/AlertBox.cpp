// SPDX-License-Identifier: Apache-2.0
#include "app/AlertBox.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QMessageBox>

namespace velt {

void showAlertBox(const VeltError& error)
{
    QWidget* parent = QApplication::activeWindow();
    if (!parent)
        parent = AppDelegate::mainWindow();
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    error.localizedDescription, QMessageBox::Ok, parent);
    // Descriptions may quote the server or the flashing tool: shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    // QMessageBox adds its own "Show Details..." button for this.
    if (!error.details.isEmpty())
        box.setDetailedText(error.details);
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace velt
