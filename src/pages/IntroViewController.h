// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class IntroPage;
}

namespace velt {

// The first page: loads the firmware catalogue each time it appears and lets the user go on
// once it has been read. Without a catalogue it shows why and asks the application to end.
class IntroViewController : public QWidget
{
    Q_OBJECT

public:
    explicit IntroViewController(QWidget* parent = nullptr);
    ~IntroViewController() override;

signals:
    void nextRequested();
    void quitRequested();
    // The catalogue has been read.
    void catalogueLoaded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void didAppear();

    const QScopedPointer<Ui::IntroPage> m_ui;
};

} // namespace velt
