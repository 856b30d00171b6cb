// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class SelectModelPage;
}

namespace velt {

// The user picks the device model. The page says how many firmware versions there are for it
// and only with at least one does it enable Next and record the model in targetFirmware().
class SelectModelViewController : public QWidget
{
    Q_OBJECT

public:
    explicit SelectModelViewController(QWidget* parent = nullptr);
    ~SelectModelViewController() override;

signals:
    void nextRequested();
    void backRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void sourceSelected();

    const QScopedPointer<Ui::SelectModelPage> m_ui;
};

} // namespace velt
