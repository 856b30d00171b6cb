// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class SelectVersionPage;
}

namespace velt {

// The user picks one of the firmware versions of the chosen model. The list marks the model's
// original and newest versions and opens with the newest chosen; the page shows the chosen
// version's release date and records it in targetFirmware().
class SelectVersionViewController : public QWidget
{
    Q_OBJECT

public:
    explicit SelectVersionViewController(QWidget* parent = nullptr);
    ~SelectVersionViewController() override;

    // The item labels for a model's version names, in catalogue order: the first carries the
    // original caption, the last the newest caption, a single version only the original one.
    static QStringList versionLabels(const QStringList& versionNames);

signals:
    void nextRequested();
    void backRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void sourceSelected();

    const QScopedPointer<Ui::SelectVersionPage> m_ui;
};

} // namespace velt
