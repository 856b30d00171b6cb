// SPDX-License-Identifier: Apache-2.0
#include "app/AlertBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace velt {
namespace {

TEST(AlertDetails, TheUnderlyingTextSitsBehindShowDetailsOnlyWhenThereIsOne)
{
    for (const QString& details : {QStringLiteral("Connection refused"), QString()}) {
        QString shown = QStringLiteral("<no alert>");
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->detailedText();
                box->defaultButton()->click();
            }
        });
        answer.start(20);
        QTimer::singleShot(5000, &answer, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        showAlertBox(VeltError::withDescription(VeltError::catalogueCode, "No list.", details));
        EXPECT_EQ(shown, details);
    }
}

} // namespace
} // namespace velt
