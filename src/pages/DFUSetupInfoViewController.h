#pragma once

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class DFUSetupPage;
}

namespace velt {

// Tells the user how to put the device into DFU mode and connect it; no logic of its own.
class DFUSetupInfoViewController : public QWidget
{
    Q_OBJECT

public:
    explicit DFUSetupInfoViewController(QWidget* parent = nullptr);
    ~DFUSetupInfoViewController() override;

signals:
    void nextRequested();
    void backRequested();

private:
    const QScopedPointer<Ui::DFUSetupPage> m_ui;
};

} // namespace velt
